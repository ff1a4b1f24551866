#include "core/decimal_text.h"

namespace tabel {

QString normalizeDecimal(const QString& text, QString& delim)
{
    qsizetype at = text.indexOf(u',');
    if (at < 0)
        at = text.indexOf(u'.');
    if (at < 0)
        return text;
    if (delim.isEmpty())
        delim = QStringLiteral(".");
    QString result = text;
    result.replace(at, 1, delim);
    return result;
}

} // namespace tabel
