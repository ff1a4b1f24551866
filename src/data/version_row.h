#pragma once

#include "core/build_stamp.h"
#include "data/database.h"

namespace tabel {

// The first row of accounts_dep.ver: the build stamp of the newest client
// that has connected, and the decimal separator for numbers in statements.
struct VersionVerdict {
    bool outdated = false; // a newer client has connected: this one must stop
    QString delim;         // empty means "."
    BuildStamp recorded;   // the stamp the row holds after the check
};

// Reads the row, records this program's stamp when it is the newest (an
// empty table gets its row), and says whether this program is outdated.
// One statement when nothing changes, two when the stamp is recorded.
VersionVerdict checkVersion(Database& db, const BuildStamp& program);

} // namespace tabel
