#include "data/database.h"

#include <QDir>
#include <QSqlError>
#include <QSqlRecord>

namespace tabel {

ConnectionSettings ConnectionSettings::fromArguments(const QStringList& args)
{
    ConnectionSettings s;
    const QString database = args.value(0);
    const QString server = args.value(1);
    if (!server.isEmpty()) {
        s.database = database;
        s.server = server;
    }
    return s;
}

Database::Database(ConnectionSettings settings, QString connectionName)
    : m_settings(std::move(settings)), m_name(std::move(connectionName))
{
}

Database::~Database()
{
    m_prepared.clear();
    if (QSqlDatabase::contains(m_name)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
}

QSqlDatabase Database::handle() const
{
    return QSqlDatabase::database(m_name, false);
}

bool Database::isOpen() const
{
    return QSqlDatabase::contains(m_name) && handle().isOpen();
}

void Database::open()
{
    m_prepared.clear();
    m_depth = 0;
    QSqlDatabase db = QSqlDatabase::contains(m_name) ? handle() : QSqlDatabase::addDatabase(u"QPSQL"_qs, m_name);
    if (!db.isValid())
        throw DbError(u"Драйвер PostgreSQL (QPSQL) не установлен."_qs);
    db.close();
    db.setDatabaseName(m_settings.database);
    db.setHostName(m_settings.server);
    db.setPort(m_settings.port);
    db.setUserName(m_settings.user);
    db.setPassword(m_settings.password);
    // Day-first date texts must read right after every reconnect too, so
    // the order travels with the connection itself.
    db.setConnectOptions(u"sslmode="_qs + m_settings.sslMode + u";connect_timeout=10;options='-c DateStyle=ISO,DMY'"_qs);
    if (!db.open())
        throw DbError(db.lastError().text());
}

void Database::close()
{
    m_prepared.clear();
    m_depth = 0;
    if (QSqlDatabase::contains(m_name))
        handle().close();
}

void Database::ensureOpen()
{
    if (!isOpen())
        open();
}

void Database::fail(const QString& message)
{
    // Was it the statement or the connection? Outside a transaction a
    // trivial statement tells; inside one, the rollback will.
    if (m_depth == 0) {
        QSqlQuery ping(handle());
        if (!ping.exec(u"select 1"_qs))
            close();
    }
    throw DbError(message);
}

QSqlQuery Database::exec(const QString& sql, const Params& params)
{
    ensureOpen();
    if (params.isEmpty()) {
        QSqlQuery q(handle());
        q.setForwardOnly(true);
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        ++m_statements;
        if (!q.exec(sql))
            fail(q.lastError().databaseText().isEmpty() ? q.lastError().text() : q.lastError().databaseText());
        return q;
    }

    std::shared_ptr<QSqlQuery>& slot = m_prepared[sql];
    if (!slot) {
        auto q = std::make_shared<QSqlQuery>(handle());
        q->setForwardOnly(true);
        q->setNumericalPrecisionPolicy(QSql::HighPrecision);
        ++m_statements;
        if (!q->prepare(sql)) {
            m_prepared.remove(sql);
            fail(q->lastError().databaseText().isEmpty() ? q->lastError().text() : q->lastError().databaseText());
        }
        slot = q;
    }
    QSqlQuery& q = *slot;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        q.bindValue(u':' + it.key(), it.value());
    ++m_statements;
    if (!q.exec()) {
        const QSqlError e = q.lastError();
        fail(e.databaseText().isEmpty() ? e.text() : e.databaseText());
    }
    // The caller reads the rows through a handle on the same result; the
    // prepared statement stays in the cache for the next run.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
    return q;
QT_WARNING_POP
}

void Database::execScript(const QString& sql)
{
    exec(sql);
}

QVariant Database::scalar(const QString& sql, const Params& params)
{
    QSqlQuery q = exec(sql, params);
    QVariant v = q.next() ? q.value(0) : QVariant();
    q.finish();
    return v;
}

Transaction Database::transaction()
{
    return Transaction(*this);
}

void Database::begin()
{
    if (m_depth == 0) {
        m_rollbackOnly = false;
        ensureOpen();
        ++m_statements;
        if (!handle().transaction())
            fail(handle().lastError().text());
    }
    ++m_depth;
}

void Database::commit()
{
    if (--m_depth > 0)
        return;
    if (m_rollbackOnly) {
        // An inner part failed and was rolled back: the whole command is void.
        m_rollbackOnly = false;
        ++m_statements;
        handle().rollback();
        throw DbError(u"Транзакция отменена: часть команды не выполнилась."_qs);
    }
    ++m_statements;
    if (!handle().commit()) {
        const QString message = handle().lastError().text();
        handle().rollback();
        throw DbError(message);
    }
}

void Database::rollback()
{
    if (--m_depth > 0) {
        m_rollbackOnly = true;
        return;
    }
    m_rollbackOnly = false;
    ++m_statements;
    if (!handle().rollback())
        close(); // the connection is gone; the next command reconnects
}

Transaction::Transaction(Database& db) : m_db(&db)
{
    m_db->begin();
}

Transaction::Transaction(Transaction&& other) noexcept : m_db(other.m_db), m_done(other.m_done)
{
    other.m_done = true;
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db->rollback();
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_done = true;
    m_db->commit();
}

} // namespace tabel
