#include "reference/nom_group_store.h"

#include <QSqlQuery>

namespace tabel {
namespace {

const QString kListSql =
    uR"(select *, case when b_excluded=1  then 'V' else '' end as s_excl from cmn_classifier.item where id_level=2 order by s_caption)"_qs;

const QString kDependentsSql =
    uR"(select (select count(gds.*) cnt_gds from cmn_gds_and_srv.gds_and_srv gds where gds.id_class_item = :id_nom3),
(select count(f.*) cnt_f from accounts_dep.fatigue f where f.id_nom = :id_nom1),
(select count(s.*) cnt_s from accounts_dep.smena s,cmn_gds_and_srv.gds_and_srv gds where gds.id = s.i_id and gds.id_class_item = :id_nom2))"_qs;

const QString kInsertSql = uR"(INSERT INTO cmn_classifier.item(s_caption, b_excluded) VALUES(:s_caption, :b_excluded))"_qs;
const QString kUpdateSql = uR"(UPDATE cmn_classifier.item SET s_caption=:s_caption, b_excluded=:b_excluded where id=:id)"_qs;
const QString kDeleteSql = uR"(DELETE FROM cmn_classifier.item WHERE id=:id)"_qs;

} // namespace

const QString& NomGroupStore::listSql()
{
    return kListSql;
}

NomGroupStore::Dependents NomGroupStore::dependents(qint64 id)
{
    QSqlQuery q = m_db.exec(kDependentsSql, {{u"id_nom1"_qs, id}, {u"id_nom2"_qs, id}, {u"id_nom3"_qs, id}});
    Dependents d;
    if (q.next()) {
        d.products = q.value(0).toInt();
        d.maintenance = q.value(1).toInt();
        d.shifts = q.value(2).toInt();
    }
    q.finish();
    return d;
}

void NomGroupStore::add(const QString& name, bool excluded)
{
    m_db.exec(kInsertSql, {{u"s_caption"_qs, name}, {u"b_excluded"_qs, excluded ? 1 : 0}});
}

void NomGroupStore::change(qint64 id, const QString& name, bool excluded)
{
    m_db.exec(kUpdateSql, {{u"s_caption"_qs, name}, {u"b_excluded"_qs, excluded ? 1 : 0}, {u"id"_qs, id}});
}

void NomGroupStore::remove(qint64 id)
{
    m_db.exec(kDeleteSql, {{u"id"_qs, id}});
}

} // namespace tabel
