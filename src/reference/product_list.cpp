#include "reference/product_list.h"

#include "reference/product_card.h"
#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QDate>
#include <QPushButton>
#include <QVBoxLayout>

namespace tabel {
namespace {

const QString kCaption = u"Изделия (3)"_qs;
const QString kAdd = u"Добавить"_qs;
const QString kChange = u"Изменить"_qs;
const QString kDelete = u"Удалить"_qs;
const QString kExit = u"Выход"_qs;
const QString kBrandTitle = u"Марка изделия"_qs;
const QString kGroupTitle = u"Номенклатурная группа"_qs;
const QString kMassTitle = u"Коробки"_qs;
const QString kAddCaption = u"Заведение нового изделия (7)"_qs;
const QString kChangeCaption = u"Изменение данных изделия (7)"_qs;
const QString kDeleteCaption = u"Удаление"_qs;
const QString kOperationsQuestion = u"По изделию есть расценки они будут удалены!!!"_qs;
const QString kShiftsQuestion =
    u"По изделию есть операции в текущем, предыдущем месяцах и ранее, они будут удалены. Удалить изделие? "_qs;
const QString kProductQuestion = u"Удалить изделие? "_qs;

} // namespace

ProductList::ProductList(DataModule& dm, QWidget* parent)
    : ReferenceList(u"Form3"_qs, kCaption, parent), m_dm(dm), m_store(dm)
{
    m_card = new ProductCard(dm, m_store, this);

    ResultSet* izdel = &dm.izdel();
    grid()->setSource(izdel, {
        {u"marka"_qs, kBrandTitle, 260},
        {u"nom"_qs, kGroupTitle, 220},
        {u"massa"_qs, kMassTitle, 80, Qt::AlignLeft},
    });
    searchBox()->bind(izdel, u"marka"_qs, SearchBox::Match::BeginsWith);
    // The search box spans the window under the grid, the buttons below it.
    mainLayout()->insertWidget(1, searchBox());

    QPushButton* add = addButton(u"Button1"_qs, kAdd);
    add->setDefault(true);
    QPushButton* change = addButton(u"Button2"_qs, kChange);
    QPushButton* remove = addButton(u"Button3"_qs, kDelete);
    addStretch();
    QPushButton* exit = addButton(u"Button4"_qs, kExit);
    resize(600, 440);

    connect(add, &QPushButton::clicked, this, guarded([this] { addProduct(); }));
    connect(change, &QPushButton::clicked, this, guarded([this] { changeOrChoose(); }));
    connect(grid(), &QAbstractItemView::doubleClicked, this, guarded([this] { changeOrChoose(); }));
    connect(remove, &QPushButton::clicked, this, guarded([this] { deleteProduct(); }));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void ProductList::openMaintenance()
{
    setMode(Maintenance);
    m_dm.izdel().open();
    setChooseButton(button(u"Button2"_qs), false);
    button(u"Button1"_qs)->setDefault(true);
    button(u"Button1"_qs)->show();
    button(u"Button3"_qs)->show();
    // The chooser hides the search box on its way out; maintenance always
    // has it, so a search left in it stays visible with its filter.
    searchBox()->show();
    showModal(this, parentWidget());
    m_dm.izdel().close();
}

std::optional<Choice> ProductList::choose()
{
    setMode(Chooser);
    m_dm.izdel().open();
    setChooseButton(button(u"Button2"_qs), true);
    button(u"Button1"_qs)->hide();
    button(u"Button3"_qs)->hide();
    searchBox()->show();
    searchBox()->clear();
    std::optional<Choice> choice = runChooser();
    button(u"Button2"_qs)->setDefault(false);
    searchBox()->hide();
    m_dm.izdel().close();
    return choice;
}

void ProductList::addProduct()
{
    ResultSet& izdel = m_dm.izdel();
    const int row = izdel.rowNumber();
    m_card->setWindowTitle(kAddCaption);
    m_card->startAdd();
    if (showCard(m_card) == QDialog::Accepted)
        izdel.reopen();
    izdel.goToRow(row);
}

void ProductList::changeOrChoose()
{
    const auto id = currentId();
    if (!id || isReservedId(*id))
        return;
    ResultSet& izdel = m_dm.izdel();
    if (mode() == Chooser) {
        ReferenceList::choose(Choice{*id, izdel.value(u"marka"_qs).toString().trimmed()});
        return;
    }
    const int row = izdel.rowNumber();
    m_card->setWindowTitle(kChangeCaption);
    m_card->startChange(*id, izdel.value(u"marka"_qs).toString(), izdel.value(u"massa"_qs),
                        izdel.value(u"id_class_item"_qs).toLongLong());
    if (showCard(m_card) == QDialog::Accepted)
        izdel.reopen();
    izdel.goToRow(row);
}

void ProductList::deleteProduct()
{
    const auto id = currentId();
    if (!id || isReservedId(*id))
        return;
    const int shifts = m_store.shiftCount(*id, ProductStore::shiftCheckSince(QDate::currentDate()));
    const int operations = m_store.operationCount(*id);

    // Every answer first, then the deletes together: a failing statement
    // leaves the product, its operations and its shift records as they were.
    ProductStore::Removal removal;
    if (operations > 0)
        removal.operations = msg::question(kOperationsQuestion, kDeleteCaption);
    if (shifts > 0) {
        if (msg::question(kShiftsQuestion, kDeleteCaption))
            removal.shifts = removal.product = true;
    } else {
        removal.product = msg::question(kProductQuestion, kDeleteCaption);
    }
    m_store.remove(*id, removal);
    m_dm.izdel().reopen();
}

} // namespace tabel
