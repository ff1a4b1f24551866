#pragma once

#include "data/database.h"
#include "data/result_set.h"

#include <QObject>

#include <array>

namespace tabel {

// The shared queries every window works with, the decimal separator the
// database wants, and the duplicate count behind every "already exists"
// refusal. One instance for the run, next to the one connection.
class DataModule : public QObject {
    Q_OBJECT
public:
    explicit DataModule(Database& db, QObject* parent = nullptr);

    Database& db() { return m_db; }

    ResultSet& workers() { return *m_workers; }
    ResultSet& izdel() { return *m_izdel; }
    ResultSet& oper() { return *m_oper; }
    ResultSet& vidOper() { return *m_vidOper; }
    // Register of shift 1..4 (4 is overtime).
    ResultSet& smena(int shift) { return *m_smena.at(std::clamp(shift, 1, 4) - 1); }
    // Month sheet of shift 1..3 with money.
    ResultSet& hTabel(int shift) { return *m_hTabel.at(std::clamp(shift, 1, 3) - 1); }

    // The decimal separator numbers in statements carry; from the version row.
    const QString& decimalDelim() const { return m_decimalDelim; }
    void setDecimalDelim(const QString& delim) { m_decimalDelim = delim; }
    QString normalizeDecimal(const QString& text);

    // The integer column `cnt` of the first row of a counting statement.
    int count(const QString& sql, const Params& params = {});

    // Texts kept here so every caller runs exactly the same statement.
    static QString smenaSql(int shift);
    static QString hTabelSql(int shift);

private:
    Database& m_db;
    ResultSet* m_workers;
    ResultSet* m_izdel;
    ResultSet* m_oper;
    ResultSet* m_vidOper;
    std::array<ResultSet*, 4> m_smena{};
    std::array<ResultSet*, 3> m_hTabel{};
    QString m_decimalDelim;
};

} // namespace tabel
