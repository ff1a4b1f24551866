#pragma once

#include "reference/reference_list.h"
#include "reference/worker_store.h"

#include <functional>

namespace tabel {

class WorkerCard;

// The list of the program's workers: kept from the main menu (mode 0) and
// opened as a chooser by the windows that need a worker.
class WorkerList : public ReferenceList {
    Q_OBJECT
public:
    // Modes the list is opened in.
    enum Mode {
        Maintenance = 0,
        ForPosition = 1,      // position dialog
        ForHelper = 11,       // helper worker of a position, with his hours
        ForMaintenanceWork = 24,
        ForPainter = 33,
    };

    // Asked before a chosen row is handed over, while the list is still
    // open (`list` is the opener for a dialog of its own); `fio` as stored,
    // untrimmed. False keeps the list open for another choice. The helper
    // worker command asks the helper's hours this way.
    using ConfirmChoice = std::function<bool(QWidget* list, qint64 id, const QString& fio)>;

    WorkerList(DataModule& dm, QWidget* parent = nullptr);

    // The main menu's "Рабочие": add, change and delete workers.
    void openMaintenance();
    // Opens the list to choose a worker: the worker's id and trimmed name,
    // or nothing when the list is closed with "Выход". `confirm` (needed
    // for the helper mode) may refuse a row and keep the list open.
    std::optional<Choice> choose(int mode, ConfirmChoice confirm = {});

    WorkerCard* card() const { return m_card; }
    WorkerStore& store() { return m_store; }

private:
    void prepare(int mode);
    void addWorker();
    void changeOrChoose();
    void deleteWorker();

    DataModule& m_dm;
    WorkerStore m_store;
    WorkerCard* m_card;
    ConfirmChoice m_confirm;
};

} // namespace tabel
