#pragma once

#include "app/login_dialog.h"
#include "app/main_window.h"
#include "core/build_stamp.h"
#include "core/roles.h"
#include "data/data_module.h"
#include "reference/reference_windows.h"
#include "register/shift_register.h"

#include <QObject>

#include <functional>
#include <memory>

namespace tabel {

inline const QString kNoConnectionText = QStringLiteral("Подключение к БД отсутсвует!!!");
inline const QString kNoConnectionCaption = QStringLiteral("Ошибка!");
inline const QString kWrongCodeText = QStringLiteral("Введены неверные данные.");
inline const QString kOutdatedText =
    QStringLiteral("Версия программы не соответсвует БД! Запустите программу через 5 мин.");

// The program from start to end: the connection, the windows, the login
// with its roles, and the version check that stops an outdated client.
class Shell : public QObject {
    Q_OBJECT
public:
    Shell(ConnectionSettings settings, BuildStamp stamp, QObject* parent = nullptr);
    ~Shell() override;

    // Connects and creates the windows. On failure the operator is told
    // once and false comes back: the program ends without a login dialog.
    bool start();
    // Shows the login dialog and runs its activation (version check, caption).
    void showLogin();
    // What "Вход" does with a code.
    void login(const QString& code);
    // Records this build in the version row, or stops an outdated program.
    void versionCheck();

    // Ends the program: closes every window, leaves every event loop.
    void requestEnd();
    bool ending() const { return m_ending; }
    // Tests replace what ending means.
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

    const QString& role() const { return m_role; }
    Database& database() { return *m_db; }
    DataModule& dataModule() { return *m_dm; }
    ShiftRegister& shiftRegister() { return *m_register; }
    MainWindow* mainWindow() const { return m_main; }
    LoginDialog* loginDialog() const { return m_login; }
    ReferenceWindows& references() { return *m_references; }

private:
    void applyRole(Role role);
    void wireMenu();

    ConnectionSettings m_settings;
    BuildStamp m_stamp;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<DataModule> m_dm;
    std::unique_ptr<ShiftRegister> m_register;
    MainWindow* m_main = nullptr;
    std::unique_ptr<ReferenceWindows> m_references;
    LoginDialog* m_login = nullptr;
    QString m_role;
    bool m_ending = false;
    bool m_outdated = false;
    bool m_checking = false;
    std::function<void()> m_endHandler;
};

} // namespace tabel
