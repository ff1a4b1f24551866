#include "data/version_row.h"

namespace tabel {

VersionVerdict checkVersion(Database& db, const BuildStamp& program)
{
    QSqlQuery q = db.exec(u"select d, t, delim from accounts_dep.ver limit 1"_qs);
    const bool hasRow = q.next();
    VersionVerdict v;
    if (hasRow) {
        v.recorded = {q.value(0).toInt(), q.value(1).toInt()};
        v.delim = q.value(2).toString();
    }
    q.finish();

    const Params stamp{{u"d"_qs, program.date}, {u"t"_qs, program.time}};
    if (!hasRow) {
        db.exec(u"insert into accounts_dep.ver (d, t, delim) values (:d, :t, '')"_qs, stamp);
        v.recorded = program;
    } else if (v.recorded < program) {
        // Only ever forward: a client that started a moment earlier with a
        // newer stamp must not be overwritten by this older one.
        db.exec(u"update accounts_dep.ver set d = :d, t = :t "
                "where ctid = (select ctid from accounts_dep.ver limit 1) "
                "and (coalesce(d, 0) < :d or (coalesce(d, 0) = :d and coalesce(t, 0) < :t))"_qs,
                stamp);
        v.recorded = program;
    }
    v.outdated = program < v.recorded;
    return v;
}

} // namespace tabel
