#include "reference/worker_store.h"

#include <QSqlQuery>

namespace tabel {
namespace {

const QString kInsertSql = uR"(INSERT INTO accounts_dep.person (fio, s_staffpos_hl)VALUES(:fio, :staffpos))"_qs;
const QString kUpdateSql = uR"(UPDATE accounts_dep.person SET fio=:fio, s_staffpos_hl=:staffpos where accounts_dep.person.id=:id)"_qs;

// The check for records that name the worker sits in the delete itself:
// nothing can be written between a separate count and the delete.
const QString kDeleteSql = uR"(with used as (
    select exists (select 1 from accounts_dep.smena where w_id = :id)
        or exists (select 1 from accounts_dep.person_temp where id_person = :id)
        or exists (select 1 from accounts_dep.painting_temp where id_p = :id or id_w = :id)
        or exists (select 1 from accounts_dep.fatigue where id_p = :id) as in_use
), gone as (
    delete from accounts_dep.person where id = :id and not (select in_use from used) returning id
)
select (select in_use from used) as in_use, (select count(*) from gone) as deleted)"_qs;

const QString kDepartmentsSql = uR"(select id, s_caption from cmn_department.department order by s_caption, id)"_qs;
const QString kStaffPositionsSql = uR"(select id, s_caption from hrms_staffpos.staffpos order by s_caption, id)"_qs;
const QString kRolesSql = uR"(select id, s_caption from adm_role.roles order by s_caption, id)"_qs;

} // namespace

void WorkerStore::insert(const QString& fio, const QString& staffpos)
{
    m_db.exec(kInsertSql, {{u"fio"_qs, fio}, {u"staffpos"_qs, staffpos}});
}

void WorkerStore::update(qint64 id, const QString& fio, const QString& staffpos)
{
    m_db.exec(kUpdateSql, {{u"fio"_qs, fio}, {u"staffpos"_qs, staffpos}, {u"id"_qs, id}});
}

WorkerStore::Removal WorkerStore::remove(qint64 id)
{
    QSqlQuery q = m_db.exec(kDeleteSql, {{u"id"_qs, id}});
    if (!q.next())
        return Removal::Missing;
    if (q.value(1).toLongLong() > 0)
        return Removal::Removed;
    return q.value(0).toBool() ? Removal::InUse : Removal::Missing;
}

QList<LookupEntry> WorkerStore::lookup(const QString& sql)
{
    QSqlQuery q = m_db.exec(sql);
    QList<LookupEntry> entries;
    while (q.next())
        entries << LookupEntry{q.value(0).toString().toLongLong(), q.value(1).toString()};
    return entries;
}

QList<LookupEntry> WorkerStore::departments()
{
    return lookup(kDepartmentsSql);
}

QList<LookupEntry> WorkerStore::staffPositions()
{
    return lookup(kStaffPositionsSql);
}

QList<LookupEntry> WorkerStore::roles()
{
    return lookup(kRolesSql);
}

} // namespace tabel
