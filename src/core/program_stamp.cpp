#include "core/build_stamp.h"

namespace tabel {

// This file is compiled anew on every build (see CMakeLists.txt), so the
// stamp is the moment the program was built, not when this file last changed.
BuildStamp programBuildStamp()
{
    return parseBuildStamp(__DATE__, __TIME__).value_or(BuildStamp{});
}

} // namespace tabel
