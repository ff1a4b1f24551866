#include "widgets/guard.h"

#include "widgets/messages.h"

namespace tabel {

void runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        msg::showError(e);
    } catch (...) {
        msg::showUnknownError();
    }
}

} // namespace tabel
