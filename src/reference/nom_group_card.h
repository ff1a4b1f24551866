#pragma once

#include "reference/nom_group_store.h"
#include "widgets/modal.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tabel {

// Adds or changes one nomenclature group: its name and the "not used" mark.
// Closes with Accepted once the group is written.
class NomGroupCard : public QDialog, public Activatable {
    Q_OBJECT
public:
    enum Mode { Add = 1, Change = 2 };

    NomGroupCard(NomGroupStore& store, QWidget* parent);

    void startAdd();
    void startChange(qint64 id, const QString& name, bool excluded);
    int mode() const { return m_mode; }

    void activate() override;

private:
    void save();

    NomGroupStore& m_store;
    QLineEdit* m_name;
    QCheckBox* m_excluded;
    QPushButton* m_save;
    int m_mode = Add;
    qint64 m_id = 0;
};

} // namespace tabel
