#include "reference/nom_group_list.h"

#include "reference/nom_group_card.h"
#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QPushButton>
#include <QScopeGuard>

namespace tabel {
namespace {

const QString kCaption = u"Номенклатура (26)"_qs;
const QString kAdd = u"Добавить"_qs;
const QString kChange = u"Изменить"_qs;
const QString kDelete = u"Удалить"_qs;
const QString kExit = u"Выход"_qs;
const QString kNameTitle = u"Наименование"_qs;
const QString kExcludedTitle = u"Не используется"_qs;
const QString kDeleteCaption = u"Удаление"_qs;
const QString kHasProducts = u"В номенклатурной группе есть изделия."_qs;
const QString kHasOperations = u"В номенклатурной группе есть операции."_qs;
const QString kDeleteQuestion = u"Удалить позицию из списка?"_qs;

constexpr int kExcludedColumn = 1;
constexpr int kExcludedWidth = 110;

} // namespace

NomGroupList::NomGroupList(DataModule& dm, QWidget* parent)
    : ReferenceList(u"Form26"_qs, kCaption, parent), m_store(dm.db())
{
    m_groups = new ResultSet(dm.db(), u"Groups"_qs, NomGroupStore::listSql(), this);
    m_card = new NomGroupCard(m_store, this);

    grid()->setSource(m_groups, {
        {u"s_caption"_qs, kNameTitle, 340},
        {u"s_excl"_qs, kExcludedTitle, kExcludedWidth, Qt::AlignHCenter},
    });
    searchBox()->bind(m_groups, u"s_caption"_qs, SearchBox::Match::BeginsWith);
    searchBox()->setCaretKeysLocked(true);

    QPushButton* add = addButton(u"Button2"_qs, kAdd);
    QPushButton* change = addButton(u"Button3"_qs, kChange);
    QPushButton* remove = addButton(u"Button1"_qs, kDelete);
    addSearchToBar();
    QPushButton* exit = addButton(u"Button4"_qs, kExit);
    resize(500, 420);

    connect(add, &QPushButton::clicked, this, guarded([this] { addGroup(); }));
    connect(change, &QPushButton::clicked, this, guarded([this] { changeOrChoose(); }));
    connect(grid(), &QAbstractItemView::doubleClicked, this, guarded([this] { changeOrChoose(); }));
    connect(remove, &QPushButton::clicked, this, guarded([this] { deleteGroup(); }));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void NomGroupList::openMaintenance()
{
    setMode(Maintenance);
    m_groups->open();
    setChooseButton(button(u"Button3"_qs), false);
    button(u"Button1"_qs)->show();
    button(u"Button2"_qs)->show();
    showModal(this, parentWidget());
    m_groups->close();
}

std::optional<Choice> NomGroupList::choose()
{
    const QSize wide = size();
    // Whatever the operator does, the list is maintenance-shaped afterwards.
    const auto undo = qScopeGuard([this, wide] {
        m_groups->close();
        searchBox()->clear();
        m_groups->setFiltered(false);
        m_groups->setFilter({});
        setChooseButton(button(u"Button3"_qs), false);
        button(u"Button1"_qs)->show();
        button(u"Button2"_qs)->show();
        grid()->setColumnHidden(kExcludedColumn, false);
        resize(wide);
        setMode(Maintenance);
    });

    setMode(Chooser);
    // A search left over from maintenance would otherwise replace the
    // chooser's own filter at the first keystroke only.
    searchBox()->clear();
    m_groups->setFilter([](const ResultSet& rs, const ResultSet::Row& row) {
        return rs.fieldOf(row, u"b_excluded"_qs).toInt() == 0;
    });
    m_groups->setFiltered(true);
    setChooseButton(button(u"Button3"_qs), true);
    button(u"Button1"_qs)->hide();
    button(u"Button2"_qs)->hide();
    grid()->setColumnHidden(kExcludedColumn, true);
    resize(wide.width() - kExcludedWidth, wide.height());
    m_groups->open();
    return runChooser();
}

void NomGroupList::addGroup()
{
    const int row = m_groups->rowNumber();
    m_card->startAdd();
    if (showCard(m_card) == QDialog::Accepted)
        m_groups->reopen();
    m_groups->goToRow(row);
}

void NomGroupList::changeOrChoose()
{
    const auto id = currentId();
    if (!id)
        return;
    if (mode() == Chooser) {
        ReferenceList::choose(Choice{*id, m_groups->value(u"s_caption"_qs).toString()});
        return;
    }
    const int row = m_groups->rowNumber();
    m_card->startChange(*id, m_groups->value(u"s_caption"_qs).toString(), m_groups->value(u"b_excluded"_qs).toInt() != 0);
    if (showCard(m_card) == QDialog::Accepted)
        m_groups->reopen();
    m_groups->goToRow(row);
}

void NomGroupList::deleteGroup()
{
    const auto id = currentId();
    if (!id)
        return;
    const NomGroupStore::Dependents d = m_store.dependents(*id);
    if (d.products > 0) {
        msg::error(kHasProducts, kDeleteCaption);
        return;
    }
    if (d.maintenance > 0 || d.shifts > 0) {
        msg::error(kHasOperations, kDeleteCaption);
        return;
    }
    if (msg::question(kDeleteQuestion, kDeleteCaption))
        m_store.remove(*id);
    rereadKeepingRow(*m_groups, m_groups->rowNumber());
}

} // namespace tabel
