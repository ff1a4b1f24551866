#pragma once

#include <QString>

namespace tabel {

// Gives a number typed with the operator's separator the separator the
// database expects (`delim`, from the version row). Only the first "," is
// replaced, or the first "." when there is no ","; a text without either
// comes back as it is. An empty `delim` is taken as "." and stays so.
QString normalizeDecimal(const QString& text, QString& delim);

} // namespace tabel
