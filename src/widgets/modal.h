#pragma once

class QDialog;
class QWidget;

namespace tabel {

// A window with an activation step: it runs when the window is shown and
// again whenever a window it opened modally closes. Message boxes do not
// count.
class Activatable {
public:
    virtual ~Activatable() = default;
    virtual void activate() = 0;
};

// Shows `dialog` modally: runs its activation step, waits until it closes,
// then runs the opener's activation step. Errors of either step end in the
// default error display. Returns the dialog's result.
int showModal(QDialog* dialog, QWidget* opener);

} // namespace tabel
