#include "data/result_set.h"

#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>

namespace tabel {

ResultSet::ResultSet(Database& db, const QString& name, QString sql, QObject* parent)
    : QObject(parent), m_db(db), m_sql(std::move(sql))
{
    setObjectName(name);
}

void ResultSet::setSql(const QString& sql)
{
    close();
    m_sql = sql;
}

void ResultSet::open()
{
    if (m_open)
        close();
    // Only the placeholders the text carries are bound.
    Params bound;
    for (auto it = m_params.cbegin(); it != m_params.cend(); ++it) {
        const QRegularExpression placeholder(u"(?<!:):"_qs + QRegularExpression::escape(it.key()) + u"(?!\\w)"_qs);
        if (m_sql.contains(placeholder))
            bound.insert(it.key(), it.value());
    }
    QSqlQuery q = m_db.exec(m_sql, bound);
    const QSqlRecord rec = q.record();
    m_fields.clear();
    m_types.clear();
    for (int i = 0; i < rec.count(); ++i) {
        m_fields << rec.fieldName(i).toLower();
        m_types << rec.field(i).metaType();
    }
    m_rows.clear();
    while (q.next()) {
        Row row;
        row.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row << q.value(i);
        m_rows << std::move(row);
    }
    q.finish();
    m_open = true;
    applyFilter();
}

void ResultSet::close()
{
    if (!m_open && m_rows.isEmpty())
        return;
    m_open = false;
    m_rows.clear();
    m_visible.clear();
    m_current = -1;
    Q_EMIT reset();
    Q_EMIT currentChanged(-1);
}

void ResultSet::reopenKeepingRow()
{
    const int number = rowNumber();
    reopen();
    if (number > 0 && !isEmpty())
        goToRow(std::min(number, rowCount()));
}

void ResultSet::applyFilter()
{
    m_visible.clear();
    for (int i = 0; i < m_rows.size(); ++i) {
        if (!m_filtered || !m_filter || m_filter(*this, m_rows[i]))
            m_visible << i;
    }
    m_current = m_visible.isEmpty() ? -1 : 0;
    Q_EMIT reset();
    Q_EMIT currentChanged(m_current);
}

void ResultSet::setCurrent(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    Q_EMIT currentChanged(m_current);
}

bool ResultSet::goToRow(int number)
{
    if (number < 1 || number > rowCount())
        return false;
    setCurrent(number - 1);
    return true;
}

bool ResultSet::locate(const QString& field, const QVariant& value)
{
    const int column = fieldIndex(field);
    if (column < 0)
        return false;
    for (int i = 0; i < m_visible.size(); ++i) {
        const QVariant& v = m_rows[m_visible[i]][column];
        if (v == value || (!v.isNull() && v.toString() == value.toString())) {
            setCurrent(i);
            return true;
        }
    }
    return false;
}

void ResultSet::setFilter(Filter filter)
{
    m_filter = std::move(filter);
    if (m_filtered && m_open)
        applyFilter();
}

void ResultSet::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    m_filtered = on;
    if (m_open)
        applyFilter();
}

QVariant ResultSet::value(const QString& field) const
{
    return value(m_current, fieldIndex(field));
}

QVariant ResultSet::value(int row, int column) const
{
    if (row < 0 || row >= m_visible.size() || column < 0 || column >= m_fields.size())
        return {};
    return m_rows[m_visible[row]][column];
}

} // namespace tabel
