#pragma once

#include "data/db_error.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace tabel {

// Where the one connection goes. The server may be a host name, an address
// or a folder holding the server's socket.
struct ConnectionSettings {
    QString database = QStringLiteral("mirabel");
    QString server = QStringLiteral("localhost");
    int port = 5432;
    QString user = QStringLiteral("sys");
    QString password = QStringLiteral("wuxomel");
    QString sslMode = QStringLiteral("allow");

    // Command line: [database] [server]. The database counts only together
    // with a server; without one the built-in default is used.
    static ConnectionSettings fromArguments(const QStringList& args);
};

// Named values for a statement's :placeholders, names without the colon.
using Params = QVariantMap;

class Transaction;

// The program's one database connection. Every statement goes through it;
// values always travel as bound parameters. Statements with parameters are
// prepared once per connection and then cost one round trip each.
//
// A statement that fails because the connection was lost throws once with
// the server's message; the next statement opens the connection again.
class Database {
public:
    explicit Database(ConnectionSettings settings, QString connectionName = QStringLiteral("tabel"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void open(); // throws DbError
    void close();
    bool isOpen() const;
    const ConnectionSettings& settings() const { return m_settings; }

    // Runs one statement; the returned query is positioned before its first
    // row. Throws DbError on failure.
    QSqlQuery exec(const QString& sql, const Params& params = {});
    // Several statements separated by ";", no parameters (schema scripts).
    void execScript(const QString& sql);
    // The first column of the first row, or a null value when no rows.
    QVariant scalar(const QString& sql, const Params& params = {});

    Transaction transaction();
    bool inTransaction() const { return m_depth > 0; }

    // Statements sent to the server since the connection object was made;
    // tests use it to hold round trips per command down.
    int statementCount() const { return m_statements; }
    QSqlDatabase handle() const;

private:
    friend class Transaction;
    void ensureOpen();
    [[noreturn]] void fail(const QString& message);
    void begin();
    void commit();
    void rollback();

    ConnectionSettings m_settings;
    QString m_name;
    QHash<QString, std::shared_ptr<QSqlQuery>> m_prepared;
    int m_depth = 0;
    bool m_rollbackOnly = false;
    int m_statements = 0;
};

// One transaction for a command that writes more than one statement:
// commit() at the end; leaving the scope without it rolls everything back.
// Nested guards join the outer transaction.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(Transaction&& other) noexcept;
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database* m_db;
    bool m_done = false;
};

} // namespace tabel
