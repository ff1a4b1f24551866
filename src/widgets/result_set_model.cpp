#include "widgets/result_set_model.h"

#include "core/decimal.h"

#include <QDate>
#include <QDateTime>
#include <QFont>

namespace tabel {

ResultSetModel::ResultSetModel(ResultSet& rs, QList<ColumnSpec> columns, QObject* parent)
    : QAbstractTableModel(parent), m_rs(rs), m_columns(std::move(columns))
{
    connect(&m_rs, &ResultSet::reset, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int ResultSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rs.rowCount();
}

int ResultSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString ResultSetModel::displayText(const QVariant& value, int decimals)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(u"dd.MM.yyyy"_qs);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(u"dd.MM.yyyy hh:mm"_qs);
    case QMetaType::Double:
    case QMetaType::Float: {
        const Decimal d = Decimal::fromDouble(value.toDouble());
        return d.toString(decimals).replace(u'.', u',');
    }
    default:
        return value.toString();
    }
}

QVariant ResultSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return {};
    const ColumnSpec& column = m_columns[index.column()];
    switch (role) {
    case Qt::ToolTipRole: // narrow columns cut long texts off
    case Qt::DisplayRole: {
        const QVariant v = m_rs.value(index.row(), column.field);
        // Exact numbers from the server come as text: show them with the
        // decimal comma like the floating ones.
        if (v.typeId() == QMetaType::QString && m_rs.fieldType(column.field).id() == QMetaType::Double) {
            if (const auto d = Decimal::parse(v.toString()))
                return d->toString(column.decimals).replace(u'.', u',');
        }
        return displayText(v, column.decimals);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.alignment | Qt::AlignVCenter);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole:
    case Qt::FontRole: {
        if (!m_styler)
            return {};
        CellStyle style;
        m_styler(m_rs, index.row(), column.field, style);
        if (role == Qt::ForegroundRole && style.foreground)
            return *style.foreground;
        if (role == Qt::BackgroundRole && style.background)
            return *style.background;
        if (role == Qt::FontRole && style.bold) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    }
    default:
        return {};
    }
}

QVariant ResultSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].title;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role == Qt::FontRole) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}

} // namespace tabel
