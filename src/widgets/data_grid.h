#pragma once

#include "widgets/result_set_model.h"

#include <QTableView>

namespace tabel {

// A read-only grid over a result set: whole-row selection that stays
// visible, centred bold titles, no row indicator. The grid's current row
// and the result set's current row follow each other.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void setSource(ResultSet* rs, const QList<ColumnSpec>& columns);
    ResultSet* resultSet() const { return m_rs; }
    ResultSetModel* resultModel() const { return m_model; }
    void setStyler(CellStyler styler);

private:
    void followResultSet(int row);

    ResultSet* m_rs = nullptr;
    ResultSetModel* m_model = nullptr;
    CellStyler m_styler; // outlives the model: every source gets it
    QList<QMetaObject::Connection> m_links;
    bool m_syncing = false;
};

} // namespace tabel
