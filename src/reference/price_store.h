#pragma once

#include "core/decimal.h"
#include "data/data_module.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace tabel {

class ExcelExport;

// The piece price of a shift record: the norm price doubled on a day off,
// then times 1.2 in the third shift or 1.5 in overtime (shift 4), so a
// day-off overtime pays three times the norm. Worked out on the decimal
// digits and kept to 4 places, half to even.
Decimal shiftPiecePrice(const Decimal& normPrice, bool dayOff, int shift);

// 0 is "Готовая продукция", anything else "Заготовки".
QString productKindText(int naimen);

// What choosing an operation hands to the position dialog.
struct PriceChoice {
    qint64 izdelId = 0;
    qint64 operId = 0;
    int naimen = 0;
    Decimal cena;          // the lowest norm price with the shift's factors
    QString operationText; // "марка; вид; Готовая продукция|Заготовки"
};

// What makes an operation: type, product kind and product.
struct OperationFields {
    qint64 vidId = 0;
    int naimen = 0;
    qint64 izdelId = 0;
};

// Operations (one kind of work on one product for one product kind), the
// price list's hand-over and its spreadsheet.
class PriceStore {
public:
    enum class Outcome {
        Saved,
        Duplicate, // another operation has the same type, kind and product
        Unpriced,  // add only: that operation exists but has no norm yet
        Reserved,  // reserved rows are never changed
    };
    struct Result {
        Outcome outcome = Outcome::Saved;
        qint64 id = 0; // the saved operation, or the unpriced one found
    };

    explicit PriceStore(DataModule& dm) : m_dm(dm) {}

    Result add(const OperationFields& f);
    Result change(qint64 id, const OperationFields& f);
    // false for the reserved operations. Norms and shift records of the
    // operation are left as they are.
    bool remove(qint64 id);

    // From the current row of the data module's Oper; nothing on an empty
    // list or a reserved operation.
    std::optional<PriceChoice> choiceFromCurrent(bool dayOff, int shift);

    // Every operation, with or without norms, into a new workbook: 1 when
    // done, -1 when the workbook could not be started (the operator has
    // been told).
    int exportToExcel(ExcelExport& excel);

private:
    DataModule& m_dm;
};

// One norm of an operation; a null field is one the database holds null.
struct Norm {
    qint64 id = 0;
    QVariant norma; // integer
    QVariant price; // double
    QVariant prize; // integer, per cent
};

// The norms of one operation. Each write touches the one field the
// operator changed, so the others keep what the database holds.
class NormStore {
public:
    enum class Field { Norma, Price, Prize };

    explicit NormStore(Database& db) : m_db(db) {}

    QList<Norm> norms(qint64 operId);
    // A new norm with just this field given; returns its id.
    qint64 insert(qint64 operId, Field field, const QVariant& value);
    void update(qint64 normId, Field field, const QVariant& value);
    // false when it is the operation's last norm (it stays) or gone.
    bool remove(qint64 operId, qint64 normId);

private:
    Database& m_db;
};

} // namespace tabel
