#pragma once

#include "data/result_set.h"

#include <QAbstractTableModel>
#include <QColor>

#include <functional>
#include <optional>

namespace tabel {

// How a grid shows one field of a result set.
struct ColumnSpec {
    QString field;
    QString title;
    int width = -1; // pixels; -1 leaves the grid's default
    Qt::Alignment alignment = Qt::AlignLeft;
    bool hidden = false;
    int decimals = -1; // numbers: fixed decimals; -1 shows the value as it is
};

// What a cell-painting hook may change.
struct CellStyle {
    std::optional<QColor> foreground;
    std::optional<QColor> background;
    bool bold = false;
};

// row is 0-based over the rows the result set shows.
using CellStyler = std::function<void(const ResultSet& rs, int row, const QString& field, CellStyle& style)>;

// Shows a result set through column specs; numbers use the Russian decimal
// comma, dates are day first.
class ResultSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ResultSetModel(ResultSet& rs, QList<ColumnSpec> columns, QObject* parent = nullptr);

    ResultSet& resultSet() { return m_rs; }
    const QList<ColumnSpec>& columns() const { return m_columns; }
    void setStyler(CellStyler styler) { m_styler = std::move(styler); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QString displayText(const QVariant& value, int decimals = -1);

private:
    ResultSet& m_rs;
    QList<ColumnSpec> m_columns;
    CellStyler m_styler;
};

} // namespace tabel
