#pragma once

#include "data/data_module.h"

namespace tabel {

// Refuses a duplicate before an insert or update: when the counting
// statement's `cnt` is above 0 the operator sees `message` (caption
// "Ошибка") and the answer is true.
bool recordExists(DataModule& dm, const QString& countingSql, const Params& params, const QString& message);

} // namespace tabel
