#include "reference/vid_oper_list.h"

#include "reference/vid_oper_card.h"
#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace tabel {

VidOperList::VidOperList(DataModule& dm, QWidget* parent)
    : ReferenceList(u"Form8"_qs, u"Виды операций (8)"_qs, parent), m_dm(dm), m_store(dm)
{
    m_card = new VidOperCard(dm, this);

    grid()->setSource(&dm.vidOper(), {{u"vid"_qs, u"Операции"_qs, 280}});
    grid()->setMinimumSize(320, 360);

    // The search box sits between the grid and the buttons and is shown
    // only to a chooser.
    mainLayout()->insertWidget(1, searchBox());
    searchBox()->bind(&dm.vidOper(), u"vid"_qs, SearchBox::Match::BeginsWith);
    searchBox()->setCaretKeysLocked(true);
    searchBox()->hide();

    m_add = addButton(u"Button1"_qs, u"Добавить"_qs);
    m_add->setDefault(true);
    m_change = addButton(u"Button2"_qs, u"Изменить"_qs);
    m_delete = addButton(u"Button3"_qs, u"Удалить"_qs);
    addStretch();
    QPushButton* exit = addButton(u"Button4"_qs, u"Выход"_qs);

    connect(m_add, &QPushButton::clicked, this, guarded([this] { add(); }));
    connect(m_change, &QPushButton::clicked, this, guarded([this] { changeOrChoose(); }));
    connect(m_delete, &QPushButton::clicked, this, guarded([this] { remove(); }));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid(), &QAbstractItemView::doubleClicked, this, guarded([this] { changeOrChoose(); }));
}

void VidOperList::openMaintenance()
{
    ResultSet& rs = m_dm.vidOper();
    setMode(0);
    searchBox()->hide();
    searchBox()->clear();
    rs.setFiltered(false);
    rs.reopen();
    setChooseButton(m_change, false);
    m_add->setDefault(true);
    m_add->show();
    m_delete->show();
    showModal(this, parentWidget());
    rs.close();
}

std::optional<Choice> VidOperList::choose()
{
    ResultSet& rs = m_dm.vidOper();
    setMode(1);
    m_add->hide();
    m_delete->hide();
    setChooseButton(m_change, true);
    searchBox()->show();
    searchBox()->clear();
    rs.setFiltered(false);
    rs.reopen();
    const std::optional<Choice> chosen = runChooser();
    m_change->setDefault(false);
    searchBox()->hide();
    rs.close();
    return chosen;
}

void VidOperList::reread(int rowNumber)
{
    rereadKeepingRow(m_dm.vidOper(), rowNumber);
}

void VidOperList::add()
{
    const int row = m_dm.vidOper().rowNumber();
    m_card->startAdd();
    if (showCard(m_card) == QDialog::Accepted)
        reread(row);
}

void VidOperList::changeOrChoose()
{
    const std::optional<qint64> id = currentId();
    if (!id || isReservedId(*id))
        return;
    ResultSet& rs = m_dm.vidOper();
    const QString name = rs.value(u"vid"_qs).toString().trimmed();
    if (mode() != 0) {
        ReferenceList::choose(Choice{*id, name});
        return;
    }
    const int row = rs.rowNumber();
    m_card->startChange(*id, name);
    if (showCard(m_card) == QDialog::Accepted)
        reread(row);
}

void VidOperList::remove()
{
    const std::optional<qint64> id = currentId();
    if (!id || isReservedId(*id))
        return;
    if (!msg::question(u"Удалить вид операции?"_qs, u"Удаление"_qs))
        return;
    const int row = m_dm.vidOper().rowNumber();
    m_store.remove(*id);
    reread(row);
}

} // namespace tabel
