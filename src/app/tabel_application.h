#pragma once

#include <QApplication>

namespace tabel {

// Catches whatever error escapes a handler and shows it in the default
// error display instead of ending the program.
class TabelApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace tabel
