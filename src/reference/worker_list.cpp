#include "reference/worker_list.h"

#include "reference/worker_card.h"
#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QPushButton>

namespace tabel {
namespace {

const QString kCaption = u"Список рабочих"_qs;
const QString kDeleteQuestion = u"Удалить работника?"_qs;
const QString kDeleteCaption = u"Удаление"_qs;
const QString kInUse = u"Работник есть в записях смен, подсобных рабочих, долевых записях или хоз. работах — удалить его нельзя."_qs;

// Closes the shared query when the list returns, whatever happened.
struct ClosesAfter {
    ResultSet& rs;
    ~ClosesAfter() { rs.close(); }
};

} // namespace

WorkerList::WorkerList(DataModule& dm, QWidget* parent)
    : ReferenceList(u"Form5"_qs, kCaption, parent), m_dm(dm), m_store(dm.db())
{
    m_card = new WorkerCard(m_store, this);

    grid()->setSource(&dm.workers(), {
        ColumnSpec{u"fio"_qs, u"ФИО"_qs, 330},
        ColumnSpec{u"s_staffpos_hl"_qs, u"Должность"_qs, 250},
    });
    searchBox()->bind(&dm.workers(), u"fio"_qs, SearchBox::Match::BeginsWith);
    searchBox()->setCaretKeysLocked(true);

    QPushButton* add = addButton(u"Button1"_qs, u"Добавить"_qs);
    QPushButton* change = addButton(u"Button2"_qs, u"Изменить"_qs);
    QPushButton* remove = addButton(u"Button3"_qs, u"Удалить"_qs);
    addSearchToBar();
    QPushButton* exit = addButton(u"Button4"_qs, u"Выход"_qs);
    add->setDefault(true);

    connect(add, &QPushButton::clicked, this, guarded([this] { addWorker(); }));
    connect(change, &QPushButton::clicked, this, guarded([this] { changeOrChoose(); }));
    connect(grid(), &QAbstractItemView::doubleClicked, this, guarded([this] { changeOrChoose(); }));
    connect(remove, &QPushButton::clicked, this, guarded([this] { deleteWorker(); }));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    resize(640, 480);
}

void WorkerList::prepare(int mode)
{
    setMode(mode);
    const bool choosing = mode != Maintenance;
    QPushButton* add = button(u"Button1"_qs);
    QPushButton* change = button(u"Button2"_qs);
    add->setVisible(mode == Maintenance || mode == ForHelper);
    change->setVisible(true);
    button(u"Button3"_qs)->setVisible(!choosing);
    setChooseButton(change, choosing);
    if (!choosing)
        add->setDefault(true);
    if (choosing) {
        searchBox()->setVisible(true);
        searchBox()->clear();
    }
}

void WorkerList::openMaintenance()
{
    prepare(Maintenance);
    m_confirm = nullptr;
    ResultSet& workers = m_dm.workers();
    workers.open();
    ClosesAfter closes{workers};
    runChooser();
}

std::optional<Choice> WorkerList::choose(int mode, ConfirmChoice confirm)
{
    prepare(mode);
    m_confirm = std::move(confirm);
    ResultSet& workers = m_dm.workers();
    workers.open();
    ClosesAfter closes{workers};
    auto choice = runChooser();
    m_confirm = nullptr;
    return choice;
}

void WorkerList::addWorker()
{
    m_card->prepareNew();
    showCard(m_card);
    m_dm.workers().reopen();
}

void WorkerList::changeOrChoose()
{
    ResultSet& workers = m_dm.workers();
    if (workers.isEmpty())
        return;
    const int row = workers.rowNumber();
    const qint64 id = workers.value(u"id"_qs).toLongLong();
    const QString fio = workers.value(u"fio"_qs).toString();

    if (mode() == Maintenance) {
        m_card->prepareChange(id, fio.trimmed(), workers.value(u"s_staffpos_hl"_qs).toString());
        showCard(m_card);
        rereadKeepingRow(workers, row);
        return;
    }
    if (m_confirm && !m_confirm(this, id, fio))
        return;
    ReferenceList::choose(Choice{id, fio.trimmed()});
}

void WorkerList::deleteWorker()
{
    ResultSet& workers = m_dm.workers();
    if (workers.isEmpty())
        return;
    if (!msg::question(kDeleteQuestion, kDeleteCaption))
        return;
    const int row = workers.rowNumber();
    const qint64 id = workers.value(u"id"_qs).toLongLong();
    if (m_store.remove(id) == WorkerStore::Removal::InUse)
        msg::error(kInUse, kDeleteCaption);
    rereadKeepingRow(workers, row);
}

} // namespace tabel
