#pragma once

#include "data/database.h"

#include <QString>

namespace tabel {

// The statements behind the nomenclature group list and card. Groups are
// the level-2 rows of the ERP classifier; a row inserted with only a name
// and the "not used" mark gets level 2 from the table's defaults.
class NomGroupStore {
public:
    explicit NomGroupStore(Database& db) : m_db(db) {}

    // The list's query: every level-2 item with `s_excl` "V" when not used.
    static const QString& listSql();

    // What still refers to a group: its products, its maintenance work
    // records and the shift records of its products.
    struct Dependents {
        int products = 0;
        int maintenance = 0;
        int shifts = 0;
    };
    Dependents dependents(qint64 id);

    void add(const QString& name, bool excluded);
    void change(qint64 id, const QString& name, bool excluded);
    void remove(qint64 id);

private:
    Database& m_db;
};

} // namespace tabel
