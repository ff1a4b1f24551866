#include "widgets/data_grid.h"

#include <QHeaderView>

namespace tabel {

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultSectionSize(64);
    // The selected row stays marked when the focus is elsewhere.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

void DataGrid::setSource(ResultSet* rs, const QList<ColumnSpec>& columns)
{
    for (const auto& c : std::as_const(m_links))
        disconnect(c);
    m_links.clear();
    QAbstractItemModel* old = model();
    m_rs = rs;
    m_model = rs ? new ResultSetModel(*rs, columns, this) : nullptr;
    if (m_model)
        m_model->setStyler(m_styler);
    setModel(m_model);
    if (old && old->parent() == this)
        old->deleteLater();
    if (!rs)
        return;

    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].width > 0)
            setColumnWidth(i, columns[i].width);
        setColumnHidden(i, columns[i].hidden);
    }
    m_links << connect(rs, &ResultSet::currentChanged, this, &DataGrid::followResultSet);
    m_links << connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                       [this](const QModelIndex& current) {
                           if (m_syncing || !m_rs || !current.isValid())
                               return;
                           m_syncing = true;
                           m_rs->goToRow(current.row() + 1);
                           m_syncing = false;
                       });
    followResultSet(rs->rowNumber() - 1);
}

void DataGrid::setStyler(CellStyler styler)
{
    m_styler = std::move(styler);
    if (m_model)
        m_model->setStyler(m_styler);
    viewport()->update();
}

void DataGrid::followResultSet(int row)
{
    if (m_syncing || !m_model)
        return;
    m_syncing = true;
    if (row < 0) {
        selectionModel()->clearSelection();
    } else {
        const QModelIndex index = m_model->index(row, std::max(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    m_syncing = false;
}

} // namespace tabel
