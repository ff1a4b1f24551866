#pragma once

#include "register/shift_register.h"
#include "widgets/data_grid.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;
class QRadioButton;

namespace tabel {

// The day's register on screen: the shift buttons, the day-off box, the
// work date and the grid of the chosen shift. The window around it owns
// the menu and the command buttons.
class RegisterPanel : public QWidget {
    Q_OBJECT
public:
    RegisterPanel(ShiftRegister& reg, QWidget* parent = nullptr);

    // Back to today's date and all four shifts read again.
    void activate();
    void refresh();
    void setRole(const QString& role) { m_role = role; }

    QDate workDate() const;
    bool dayOff() const;
    DataGrid* grid() const { return m_grid; }

    static QList<ColumnSpec> columns();

private:
    void chooseShift(int shift);
    void dateChosen();
    void setDayOff(bool on);
    void styleDayOff(bool on);
    void toggleOk();
    bool eventFilter(QObject* watched, QEvent* event) override;

    ShiftRegister& m_reg;
    QString m_role;
    QRadioButton* m_shiftButtons[4]{};
    QCheckBox* m_dayOff;
    QDateEdit* m_date;
    QWidget* m_calendarPopup;
    DataGrid* m_grid;
};

} // namespace tabel
