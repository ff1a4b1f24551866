#include "test_database.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <atomic>
#include <stdexcept>

namespace tabel::test {
namespace {

QString readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + path).toStdString());
    return QString::fromUtf8(f.readAll());
}

QString startCluster()
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(u"bash"_qs, {sourceDir() + u"/db/cluster.sh"_qs, u"start"_qs});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        throw std::runtime_error("the private PostgreSQL cluster did not start (db/cluster.sh start)");
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

ConnectionSettings settingsFor(const QString& database)
{
    ConnectionSettings s;
    s.database = database;
    s.server = socketDir();
    return s;
}

Database& admin()
{
    // Never destroyed: the driver is gone by the time statics would be.
    static auto* db = new Database(settingsFor(u"postgres"_qs), u"test-admin"_qs);
    if (!db->isOpen()) {
        db->open();
        db->exec(u"set client_min_messages = warning"_qs);
    }
    return *db;
}

// The template holding the schema, named after the schema's content so a
// changed schema gets a new template.
QString templateName()
{
    static const QString name = [] {
        const QString schema = readFile(sourceDir() + u"/db/schema.sql"_qs);
        const QByteArray hash = QCryptographicHash::hash(schema.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
        const QString tpl = u"tabel_tpl_"_qs + QString::fromLatin1(hash);

        QLockFile lock(socketDir() + u"/template.lock"_qs);
        lock.setStaleLockTime(0);
        lock.lock();
        if (admin().scalar(u"select count(*) from pg_database where datname = :n"_qs, {{u"n"_qs, tpl}}).toInt() == 0) {
            const QString building = tpl + u"_building"_qs;
            admin().exec(u"drop database if exists "_qs + building);
            admin().exec(u"create database "_qs + building);
            {
                Database db(settingsFor(building), u"test-template"_qs);
                db.open();
                db.execScript(schema);
            }
            // Appears under its real name only once complete.
            admin().exec(u"alter database "_qs + building + u" rename to "_qs + tpl);
        }
        return tpl;
    }();
    return name;
}

} // namespace

QString sourceDir()
{
    return QStringLiteral(TABEL_SOURCE_DIR);
}

QString socketDir()
{
    static const QString dir = startCluster();
    return dir;
}

void adminExec(const QString& sql)
{
    admin().exec(sql);
}

FreshDatabase::FreshDatabase(Content content)
{
    static std::atomic<int> counter{0};
    m_name = u"t_%1_%2"_qs.arg(QCoreApplication::applicationPid()).arg(++counter);
    const QString tpl = templateName();
    admin().exec(u"drop database if exists "_qs + m_name);
    admin().exec(u"create database "_qs + m_name + u" template "_qs + tpl + u" strategy file_copy"_qs);
    if (content == WithDemo)
        side().execScript(readFile(sourceDir() + u"/db/demo.sql"_qs));
}

FreshDatabase::~FreshDatabase()
{
    m_side.reset();
    try {
        admin().exec(u"drop database if exists "_qs + m_name + u" with (force)"_qs);
    } catch (...) {
        // A database left behind is dropped by the next run of the same name.
    }
}

ConnectionSettings FreshDatabase::settings() const
{
    return settingsFor(m_name);
}

Database& FreshDatabase::side()
{
    if (!m_side) {
        m_side = std::make_unique<Database>(settings(), u"test-side-"_qs + m_name);
        m_side->open();
    }
    return *m_side;
}

} // namespace tabel::test
