#pragma once

#include "register/register_panel.h"
#include "widgets/modal.h"

#include <QDialog>

class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;

namespace tabel {

// The main register window ("Табель"): the main menu, the day's register
// and the command buttons. Menu items and buttons are reached by their
// object names; each feature wires its own window to them.
class MainWindow : public QDialog, public Activatable {
    Q_OBJECT
public:
    MainWindow(ShiftRegister& reg, QWidget* parent = nullptr);

    void activate() override;
    RegisterPanel* registerPanel() const { return m_panel; }

    QAction* menuItem(const QString& name) const; // "N1", "N9", "N21" ...
    QPushButton* button(const QString& name) const; // "Button1" ... "Button8"
    QTimer* versionTimer() const { return m_timer; }

    // Enables or disables a control, a menu or a menu item by object name.
    void setControlEnabled(const QString& name, bool enabled);
    bool isControlEnabled(const QString& name) const;

private:
    QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& caption);
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    QPushButton* addButton(const QString& name, const QString& caption);

    RegisterPanel* m_panel;
    QTimer* m_timer;
};

} // namespace tabel
