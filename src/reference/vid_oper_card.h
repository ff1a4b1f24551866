#pragma once

#include "reference/vid_oper_store.h"
#include "widgets/modal.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tabel {

// "Вид операции": adds an operation type or renames one. The opener sets
// the mode with startAdd() or startChange() and shows the card modally; an
// accepted card has written its row.
class VidOperCard : public QDialog, public Activatable {
    Q_OBJECT
public:
    VidOperCard(DataModule& dm, QWidget* parent);

    void startAdd();
    void startChange(qint64 id, const QString& name);
    int mode() const { return m_mode; } // 1 add, 2 change
    qint64 savedId() const { return m_savedId; }

    void activate() override; // focus into the name

private:
    void save();

    VidOperStore m_store;
    QLineEdit* m_name;
    QPushButton* m_save;
    int m_mode = 1;
    qint64 m_id = 0;
    qint64 m_savedId = 0;
};

} // namespace tabel
