#include "widgets/record_exists.h"

#include "widgets/messages.h"

namespace tabel {

bool recordExists(DataModule& dm, const QString& countingSql, const Params& params, const QString& message)
{
    if (dm.count(countingSql, params) <= 0)
        return false;
    msg::error(message, msg::kErrorCaption);
    return true;
}

} // namespace tabel
