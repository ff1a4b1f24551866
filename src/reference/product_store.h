#pragma once

#include "core/decimal.h"
#include "data/data_module.h"

#include <QDate>
#include <QString>

#include <optional>

namespace tabel {

// The statements behind the product list and card. Products live in the
// ERP's goods table and are read back through accounts_dep.izdel.
class ProductStore {
public:
    explicit ProductStore(DataModule& dm) : m_dm(dm) {}

    // The card's group lookup reads the whole classifier and keeps on the
    // client only the groups still in use.
    static const QString& groupsSql();
    static bool isChoosableGroup(const ResultSet& rs, const ResultSet::Row& row);

    // The duplicate count: `brand` is compared in upper case with every
    // stored brand, the product being changed excluded.
    static const QString& duplicateSql(bool changing);
    static Params duplicateParams(const QString& brand, std::optional<qint64> changingId);
    bool brandTaken(const QString& brand, std::optional<qint64> changingId);

    // The mass as typed ("," or "." as separator); nothing when the text is
    // not a plain non-negative number.
    static std::optional<Decimal> parseMass(const QString& text);

    void add(const QString& brand, const Decimal& mass, qint64 groupId);
    void change(qint64 id, const QString& brand, const Decimal& mass, qint64 groupId);

    // The delete dialogue asks about operations and shift records. The
    // shift check counts from the 1st of the previous month of the year
    // 2000 (January: December), which in effect counts every record.
    static QDate shiftCheckSince(const QDate& today);
    int operationCount(qint64 id);
    int shiftCount(qint64 id, const QDate& since);

    // What the operator agreed to delete; all of it goes in one transaction,
    // operations first, then shift records, then the product.
    struct Removal {
        bool operations = false;
        bool shifts = false;
        bool product = false;
        bool any() const { return operations || shifts || product; }
    };
    void remove(qint64 id, const Removal& what);

private:
    DataModule& m_dm;
};

} // namespace tabel
