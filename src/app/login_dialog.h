#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QTimer;

namespace tabel {

// The login dialog: the program's main window. It asks for the role code;
// what a code means is the shell's business.
class LoginDialog : public QDialog {
    Q_OBJECT
public:
    explicit LoginDialog(QWidget* parent = nullptr);

    void setOnLogin(std::function<void(const QString& code)> handler) { m_onLogin = std::move(handler); }
    QString code() const;
    void showBuildStamp(const QString& stampText);

    // Once started, the program ends when it fires, whatever is open.
    QTimer* endTimer() const { return m_timer; }

private:
    QLineEdit* m_code;
    QPushButton* m_enter;
    QPushButton* m_cancel;
    QTimer* m_timer;
    std::function<void(const QString&)> m_onLogin;
};

} // namespace tabel
