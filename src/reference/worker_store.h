#pragma once

#include "data/database.h"

#include <QList>
#include <QString>

namespace tabel {

// One entry of an ERP lookup list the worker card offers.
struct LookupEntry {
    qint64 id = 0;
    QString caption;
};

// The statements behind the worker list and card: the program's own
// workers (accounts_dep.person) and the ERP lists the card looks up.
class WorkerStore {
public:
    explicit WorkerStore(Database& db) : m_db(db) {}

    void insert(const QString& fio, const QString& staffpos);
    void update(qint64 id, const QString& fio, const QString& staffpos);

    enum class Removal {
        Removed,
        InUse,   // shift, helper, share or maintenance records name him
        Missing, // nobody with that id (deleted meanwhile)
    };
    // Refuses a worker that pay records still name, so none of them is
    // orphaned; the check and the delete are one statement.
    Removal remove(qint64 id);

    QList<LookupEntry> departments();
    QList<LookupEntry> staffPositions();
    QList<LookupEntry> roles();

private:
    QList<LookupEntry> lookup(const QString& sql);

    Database& m_db;
};

} // namespace tabel
