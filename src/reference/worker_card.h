#pragma once

#include "reference/worker_store.h"
#include "widgets/modal.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tabel {

// The small dialog that adds a worker or changes one: his name and his
// position ("Должность", chosen from the ERP's staff positions).
class WorkerCard : public QDialog, public Activatable {
    Q_OBJECT
public:
    enum Mode { Add = 1, Change = 2 };

    WorkerCard(WorkerStore& store, QWidget* parent = nullptr);

    // Both read the lookup lists afresh (they may throw); the opener then
    // shows the card modally.
    void prepareNew();
    // `fio` as the list shows it (trimmed), `staffpos` as stored.
    void prepareChange(qint64 id, const QString& fio, const QString& staffpos);

    Mode mode() const { return m_mode; }
    qint64 workerId() const { return m_id; }

    // Focus into the name box each time the card is shown.
    void activate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reloadLookups();
    void save();
    void stepFocusedLookup(int step);

    WorkerStore& m_store;
    Mode m_mode = Add;
    qint64 m_id = 0;
    QLineEdit* m_fio;
    QComboBox* m_department;
    QComboBox* m_staffpos;
    QComboBox* m_roles;
    QPushButton* m_save;
    QPushButton* m_cancel;
};

} // namespace tabel
