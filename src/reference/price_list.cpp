#include "reference/price_list.h"

#include "reference/norm_editor.h"
#include "reference/price_card.h"
#include "reference/vid_oper_list.h"
#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopeGuard>

namespace tabel {

PriceList::PriceList(DataModule& dm, ExcelExport& excel, QWidget* parent)
    : ReferenceList(u"Form4"_qs, u"Цены (4)"_qs, parent), m_dm(dm), m_excel(excel), m_store(dm)
{
    m_card = new PriceCard(dm, this);
    // The type chooser belongs to the card: closing it brings the card back.
    m_types = new VidOperList(dm, m_card);
    m_card->chooseOperationType = [this] { return m_types->choose(); };
    m_norms = new NormEditor(dm, this);

    const auto right = Qt::AlignRight;
    grid()->setSource(&dm.oper(), {
                                      {u"marka"_qs, u"Марка"_qs, 170},
                                      {u"s_caption"_qs, u"Ном. гр. "_qs, 130},
                                      {u"vid"_qs, u"Опреция"_qs, 150},
                                      {u"cena"_qs, u"Цена (min)"_qs, 80, right},
                                      {u"nmn"_qs, u"Вид"_qs, 130},
                                      {u"norma"_qs, u"Нормы (шт.)"_qs, 80, right},
                                      {u"id"_qs, u"id"_qs, -1, Qt::AlignLeft, true},
                                      {u"i_id"_qs, u"i_id"_qs, -1, Qt::AlignLeft, true},
                                      {u"oper_vid"_qs, u"oper_vid"_qs, -1, Qt::AlignLeft, true},
                                  });
    grid()->setMinimumSize(770, 420);

    m_add = addButton(u"Button1"_qs, u"Добавить"_qs);
    m_add->setDefault(true);
    m_change = addButton(u"Button2"_qs, u"Изменить"_qs);
    m_delete = addButton(u"Button3"_qs, u"Удалить"_qs);
    QPushButton* excelButton = addButton(u"Button5"_qs, u"Excel"_qs);
    m_prices = new QCheckBox(u"Цены"_qs, this);
    m_prices->setObjectName(u"CheckBox1"_qs);
    buttonBar()->addWidget(m_prices);
    addSearchToBar();
    searchBox()->bind(&dm.oper(), u"marka"_qs, SearchBox::Match::Contains);
    searchBox()->setCaretKeysLocked(true);
    QPushButton* exit = addButton(u"Button4"_qs, u"Выход"_qs);

    connect(m_add, &QPushButton::clicked, this, guarded([this] { add(); }));
    connect(m_change, &QPushButton::clicked, this, guarded([this] { changeOrChoose(); }));
    connect(m_delete, &QPushButton::clicked, this, guarded([this] { remove(); }));
    connect(excelButton, &QPushButton::clicked, this, guarded([this] { exportToExcel(); }));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid(), &QAbstractItemView::doubleClicked, this, guarded([this] { doubleClicked(); }));
}

void PriceList::openMaintenance()
{
    ResultSet& oper = m_dm.oper();
    setMode(0);
    oper.reopen();
    setChooseButton(m_change, false);
    m_add->setDefault(true);
    m_add->show();
    m_delete->show();
    showModal(this, parentWidget());
    oper.close();
}

std::optional<PriceChoice> PriceList::choose(bool dayOff, int shift, std::optional<qint64> placeOn)
{
    ResultSet& oper = m_dm.oper();
    m_dayOff = dayOff;
    m_shift = shift;
    m_picked.reset();
    setMode(1);
    searchBox()->show();
    searchBox()->clear();
    oper.setFiltered(false);
    oper.reopen();
    if (placeOn)
        oper.locate(u"id"_qs, *placeOn);
    m_add->hide();
    m_delete->hide();
    setChooseButton(m_change, true);
    const bool chosen = runChooser().has_value();
    m_change->setDefault(false);
    searchBox()->clear(); // switches the filter off
    oper.setFiltered(false);
    if (!chosen)
        return std::nullopt;
    // Without the filter the chosen row must stay current: the position
    // dialog goes on reading it.
    oper.locate(u"id"_qs, m_picked->operId);
    return m_picked;
}

void PriceList::add()
{
    ResultSet& oper = m_dm.oper();
    const int row = oper.rowNumber();
    m_card->startAdd();
    if (showCard(m_card) != QDialog::Accepted)
        return;
    rereadKeepingRow(oper, row);
    // A new operation is listed only once it has a norm: the operator enters
    // the first one right away, and then finds it in the list.
    if (const std::optional<qint64> id = m_card->operationNeedingNorm()) {
        editNorms(*id);
        oper.locate(u"id"_qs, *id);
    }
}

void PriceList::changeOrChoose()
{
    const std::optional<qint64> id = currentId();
    if (!id || isReservedId(*id))
        return;
    if (mode() != 0) {
        m_picked = m_store.choiceFromCurrent(m_dayOff, m_shift);
        if (m_picked)
            ReferenceList::choose(Choice{m_picked->operId, m_picked->operationText});
        return;
    }
    ResultSet& oper = m_dm.oper();
    const int row = oper.rowNumber();
    m_card->startChange(*id, oper.value(u"marka"_qs).toString(), oper.value(u"vid"_qs).toString(),
                        oper.value(u"naimen"_qs).toInt(), oper.value(u"i_id"_qs).toLongLong(),
                        oper.value(u"oper_vid"_qs).toLongLong());
    if (showCard(m_card) == QDialog::Accepted)
        rereadKeepingRow(oper, row);
}

void PriceList::remove()
{
    const std::optional<qint64> id = currentId();
    if (!id || isReservedId(*id))
        return;
    if (!msg::question(u"Удалить операцию?"_qs, u"Удаление"_qs))
        return;
    ResultSet& oper = m_dm.oper();
    const int row = oper.rowNumber();
    m_store.remove(*id);
    rereadKeepingRow(oper, row);
}

void PriceList::doubleClicked()
{
    if (mode() == 0 && m_prices->isChecked()) {
        if (const std::optional<qint64> id = currentId())
            editNorms(*id);
        return;
    }
    changeOrChoose();
}

void PriceList::editNorms(qint64 operId)
{
    m_norms->load(operId);
    showCard(m_norms);
}

void PriceList::exportToExcel()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    m_store.exportToExcel(m_excel);
}

} // namespace tabel
