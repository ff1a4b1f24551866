#include "widgets/modal.h"

#include "widgets/guard.h"

#include <QDialog>
#include <QPointer>

namespace tabel {

int showModal(QDialog* dialog, QWidget* opener)
{
    QPointer<QWidget> back(opener);
    if (auto* a = dynamic_cast<Activatable*>(dialog))
        runGuarded([a] { a->activate(); });
    const int result = dialog->exec();
    if (back) {
        if (auto* a = dynamic_cast<Activatable*>(back.data()))
            runGuarded([a] { a->activate(); });
    }
    return result;
}

} // namespace tabel
