#pragma once

#include "data/database.h"

#include <QObject>
#include <QVariant>

#include <functional>

namespace tabel {

// A query read whole into memory: row count, current row, go to a row by
// number, locate, a client-side filter, and close/reopen with the same
// parameters. Grids show it through ResultSetModel; windows read the
// current row's fields.
//
// Row numbers count from 1 over the rows the filter lets through; 0 means
// "no current row" (closed or empty).
class ResultSet : public QObject {
    Q_OBJECT
public:
    using Row = QVariantList;
    using Filter = std::function<bool(const ResultSet&, const Row&)>;

    ResultSet(Database& db, const QString& name, QString sql, QObject* parent = nullptr);

    const QString& sql() const { return m_sql; }
    void setSql(const QString& sql); // closes the set; parameters stay

    void setParam(const QString& name, const QVariant& value) { m_params.insert(name, value); }
    QVariant param(const QString& name) const { return m_params.value(name); }
    const Params& params() const { return m_params; }

    void open(); // throws DbError; goes to the first row
    void close();
    void reopen() { close(); open(); }
    // Reopens and returns to the same row number when there are rows.
    void reopenKeepingRow();
    bool isOpen() const { return m_open; }

    int rowCount() const { return int(m_visible.size()); }
    bool isEmpty() const { return m_visible.isEmpty(); }
    int rowNumber() const { return m_current < 0 ? 0 : m_current + 1; }
    bool goToRow(int number); // 1-based; false (and nothing moves) when out of range
    bool locate(const QString& field, const QVariant& value);

    // The filter decides which loaded rows are seen; nothing is re-read.
    void setFilter(Filter filter);
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

    const QStringList& fields() const { return m_fields; }
    // The server's type of a column; numeric columns are Double even though
    // their values arrive as exact decimal text.
    QMetaType fieldType(int column) const { return m_types.value(column); }
    QMetaType fieldType(const QString& field) const { return fieldType(fieldIndex(field)); }
    int fieldIndex(const QString& field) const { return int(m_fields.indexOf(field.toLower())); }
    QVariant value(const QString& field) const; // current row; null when none
    QVariant value(int row, int column) const;   // row 0-based over visible rows
    QVariant value(int row, const QString& field) const { return value(row, fieldIndex(field)); }
    QVariant fieldOf(const Row& row, const QString& field) const { return row.value(fieldIndex(field)); }

Q_SIGNALS:
    void reset();                  // opened, closed or filtered
    void currentChanged(int row);  // 0-based visible row, -1 when none

private:
    void applyFilter();
    void setCurrent(int index);

    Database& m_db;
    QString m_sql;
    Params m_params;
    bool m_open = false;
    QStringList m_fields;
    QList<QMetaType> m_types;
    QList<Row> m_rows;
    QList<int> m_visible; // indices into m_rows
    int m_current = -1;   // index into m_visible
    Filter m_filter;
    bool m_filtered = false;
};

} // namespace tabel
