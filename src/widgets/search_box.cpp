#include "widgets/search_box.h"

#include <QKeyEvent>

namespace tabel {

SearchBox::SearchBox(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(u"Edit1"_qs);
    setClearButtonEnabled(false);
    connect(this, &QLineEdit::textChanged, this, [this] { apply(); });
}

void SearchBox::bind(ResultSet* rs, const QString& field, Match match)
{
    m_rs = rs;
    m_field = field;
    m_match = match;
}

bool SearchBox::matches(const QString& value, const QString& typed, Match match)
{
    if (match == Match::BeginsWith)
        return value.startsWith(typed, Qt::CaseInsensitive);
    return value.contains(typed, Qt::CaseInsensitive);
}

void SearchBox::apply()
{
    if (!m_rs)
        return;
    const QString typed = text();
    if (typed.trimmed().isEmpty()) {
        m_rs->setFiltered(false);
        return;
    }
    const QString field = m_field;
    const Match match = m_match;
    m_rs->setFilter([field, typed, match](const ResultSet& rs, const ResultSet::Row& row) {
        return matches(rs.fieldOf(row, field).toString(), typed, match);
    });
    m_rs->setFiltered(true);
}

void SearchBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        if (m_rs)
            m_rs->goToRow(m_rs->rowNumber() - 1);
        return;
    case Qt::Key_Down:
        if (m_rs)
            m_rs->goToRow(m_rs->rowNumber() + 1);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Delete:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (m_caretLocked)
            return;
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace tabel
