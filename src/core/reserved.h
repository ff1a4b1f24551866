#pragma once

#include <QtGlobal>

namespace tabel {

// Products, operations and operation types 7777 and 7778 belong to
// maintenance work and average piecework, 7779 to 7781 to the share lines of
// helpers, painters and brigades: no list changes, deletes or hands them
// over, or the register would lose the lines that refer to them.
inline bool isReservedId(qint64 id)
{
    return id >= 7777 && id <= 7781;
}

} // namespace tabel
