#include "app/shell.h"

#include "data/version_row.h"
#include "reference/nom_group_list.h"
#include "reference/price_list.h"
#include "reference/product_list.h"
#include "reference/vid_oper_list.h"
#include "reference/worker_list.h"
#include "widgets/guard.h"
#include "widgets/messages.h"
#include "widgets/modal.h"

#include <QApplication>
#include <QTimer>

namespace tabel {

Shell::Shell(ConnectionSettings settings, BuildStamp stamp, QObject* parent)
    : QObject(parent), m_settings(std::move(settings)), m_stamp(stamp)
{
}

Shell::~Shell()
{
    m_references.reset();
    delete m_main;
    delete m_login;
}

bool Shell::start()
{
    try {
        m_db = std::make_unique<Database>(m_settings);
        m_db->open();
        m_dm = std::make_unique<DataModule>(*m_db);
        m_register = std::make_unique<ShiftRegister>(*m_dm);
        m_main = new MainWindow(*m_register);
        m_references = std::make_unique<ReferenceWindows>(*m_dm, m_main);
        m_login = new LoginDialog;
    } catch (const std::exception&) {
        msg::error(kNoConnectionText, kNoConnectionCaption);
        m_ending = true;
        return false;
    }

    m_login->setOnLogin([this](const QString& code) { login(code); });
    connect(m_login->endTimer(), &QTimer::timeout, this, [this] { requestEnd(); });
    connect(m_login, &QDialog::finished, this, [this] { requestEnd(); });
    // The version check goes on for the whole run, also under modal windows.
    connect(m_main->versionTimer(), &QTimer::timeout, this, guarded([this] { versionCheck(); }));
    m_main->versionTimer()->start();
    wireMenu();
    return true;
}

void Shell::wireMenu()
{
    const auto open = [this](const QString& item, auto command) {
        connect(m_main->menuItem(item), &QAction::triggered, m_main, guarded(command));
    };
    open(u"N1"_qs, [this] { m_references->workers()->openMaintenance(); });
    open(u"N3"_qs, [this] { m_references->products()->openMaintenance(); });
    open(u"N4"_qs, [this] { m_references->prices()->openMaintenance(); });
    open(u"N6"_qs, [this] { m_references->operationTypes()->openMaintenance(); });
    open(u"N8"_qs, [this] { m_references->nomGroups()->openMaintenance(); });
}

void Shell::showLogin()
{
    m_login->show();
    runGuarded([this] { versionCheck(); });
    m_login->showBuildStamp(m_stamp.text());
}

void Shell::versionCheck()
{
    if (m_outdated || m_checking || m_ending)
        return;
    m_checking = true;
    VersionVerdict v;
    try {
        v = checkVersion(*m_db, m_stamp);
    } catch (...) {
        m_checking = false;
        throw;
    }
    m_checking = false;
    m_dm->setDecimalDelim(v.delim);
    if (!v.outdated)
        return;
    m_outdated = true;
    // The program ends five seconds on, whether or not the box is closed.
    m_login->endTimer()->start();
    msg::error(kOutdatedText, msg::kErrorCaption);
    requestEnd();
}

void Shell::login(const QString& typed)
{
    const QString code = typed.trimmed();
    m_register->setCurSmena(1);
    m_role = code;
    const Role role = roleForCode(code);
    m_main->setControlEnabled(u"N11"_qs, role == Role::Administrator);
    if (role == Role::Refused) {
        msg::error(kWrongCodeText, msg::kErrorCaption);
        return;
    }
    m_register->setHiddenMark(u"ta"_qs);
    applyRole(role);
    m_main->registerPanel()->setRole(code);
    m_login->hide();
    showModal(m_main, nullptr);
    m_login->close();
    requestEnd();
}

void Shell::applyRole(Role role)
{
    // Once disabled, nothing enables a control again during the run.
    for (const QString& name : policyFor(role).registerDisabled)
        m_main->setControlEnabled(name, false);
}

void Shell::requestEnd()
{
    if (m_ending)
        return;
    m_ending = true;
    if (m_endHandler) {
        m_endHandler();
        return;
    }
    m_main->versionTimer()->stop();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
            d->reject();
        w->close();
    }
    QCoreApplication::exit(0);
    // When the main loop has not started yet, end it as soon as it does.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

} // namespace tabel
