#pragma once

#include "data/database.h"

#include <QString>

namespace tabel::test {

// A database of its own for one test, made from a template that holds the
// schema (built once per schema version). The private cluster is started
// when it is not running. The database is dropped at the end of the scope.
class FreshDatabase {
public:
    enum Content { SchemaOnly, WithDemo };
    explicit FreshDatabase(Content content = SchemaOnly);
    ~FreshDatabase();
    FreshDatabase(const FreshDatabase&) = delete;
    FreshDatabase& operator=(const FreshDatabase&) = delete;

    const QString& name() const { return m_name; }
    ConnectionSettings settings() const;
    // A side connection of the test's own, for setting up and checking
    // data behind the program's back.
    Database& side();

private:
    QString m_name;
    std::unique_ptr<Database> m_side;
};

// The private cluster's socket folder.
QString socketDir();
// The project's source folder.
QString sourceDir();

// Runs a statement as the cluster's superuser in the maintenance database.
void adminExec(const QString& sql);

} // namespace tabel::test
