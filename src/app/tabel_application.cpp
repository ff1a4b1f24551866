#include "app/tabel_application.h"

#include "widgets/messages.h"

namespace tabel {

bool TabelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        msg::showError(e);
    } catch (...) {
        msg::showUnknownError();
    }
    return false;
}

} // namespace tabel
