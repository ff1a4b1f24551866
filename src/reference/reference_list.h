#pragma once

#include "core/reserved.h"
#include "data/data_module.h"
#include "widgets/data_grid.h"
#include "widgets/modal.h"
#include "widgets/search_box.h"

#include <QDialog>

#include <optional>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace tabel {

// What a reference list hands to the window that opened it as a chooser.
struct Choice {
    qint64 id = 0;
    QString name;
};


// The common frame of the reference lists: a grid over a static result
// set, a search box over its loaded rows, a bar of buttons, and the
// chooser protocol (the list closes with a Choice or with nothing).
class ReferenceList : public QDialog, public Activatable {
    Q_OBJECT
public:
    ReferenceList(const QString& objectName, const QString& caption, QWidget* parent);

    DataGrid* grid() const { return m_grid; }
    SearchBox* searchBox() const { return m_search; }
    QPushButton* button(const QString& name) const;
    int mode() const { return m_mode; }

    // Focus into the search box when it is shown.
    void activate() override;

protected:
    // Adds a button to the bottom bar, left to right.
    QPushButton* addButton(const QString& name, const QString& caption);
    void addStretch();
    void addSearchToBar(int stretch = 1);
    QVBoxLayout* mainLayout() const { return m_layout; }
    QHBoxLayout* buttonBar() const { return m_bar; }

    void setMode(int mode) { m_mode = mode; }
    // The change button turns into "Выбрать" (default) for a choice and back.
    void setChooseButton(QPushButton* button, bool choosing);
    // Shows the list modally and returns what was chosen, if anything.
    std::optional<Choice> runChooser();
    // Called by a subclass's choose command: hand over and close.
    void choose(const Choice& choice);

    // The current row's id, or nothing when the list is empty.
    std::optional<qint64> currentId(const QString& field = QStringLiteral("id")) const;
    // Reads the list again and goes back to the same row number when the
    // list still has that many rows (otherwise the first row stays current).
    static void rereadKeepingRow(ResultSet& rs, int rowNumber);

    int showCard(QDialog* card) { return showModal(card, this); }

private:
    DataGrid* m_grid;
    SearchBox* m_search;
    QVBoxLayout* m_layout;
    QHBoxLayout* m_bar;
    int m_mode = 0;
    std::optional<Choice> m_choice;
};

} // namespace tabel
