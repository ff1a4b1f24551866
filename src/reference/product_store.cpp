#include "reference/product_store.h"

namespace tabel {
namespace {

const QString kGroupsSql = uR"(select * from cmn_classifier.item order by s_caption)"_qs;

const QString kDuplicateAddSql = uR"(select count(*) as cnt from accounts_dep.izdel where upper(marka)=:marka)"_qs;
const QString kDuplicateChangeSql = uR"(select count(*) as cnt from accounts_dep.izdel where upper(marka)=:marka and id<>:id)"_qs;

const QString kInsertSql =
    uR"(INSERT INTO cmn_gds_and_srv.gds_and_srv(s_caption, s_description, id_msm_bs, massa, id_class_item)VALUES(:s_caption, '', 6, :massa, :id_class_item))"_qs;
const QString kUpdateSql =
    uR"(UPDATE cmn_gds_and_srv.gds_and_srv SET s_caption=:s_caption, s_description='', id_msm_bs=6, massa=:massa, id_class_item=:id_class_item where id=:id)"_qs;

const QString kShiftCheckSql = uR"(select count(*) as cnt from accounts_dep.smena s where s.i_id =:id_ii and s."data">=:dt)"_qs;
const QString kOperationCheckSql = uR"(select count(*) as cnt from accounts_dep.oper o where o.i_id =:id_ii)"_qs;

const QString kDeleteOperationsSql = uR"(delete from accounts_dep.oper o where o.i_id =:id_ii)"_qs;
const QString kDeleteShiftsSql = uR"(delete from accounts_dep.smena s where s.i_id =:id_ii)"_qs;
const QString kDeleteProductSql = uR"(delete from cmn_gds_and_srv.gds_and_srv  where id=:id_ii)"_qs;

} // namespace

const QString& ProductStore::groupsSql()
{
    return kGroupsSql;
}

bool ProductStore::isChoosableGroup(const ResultSet& rs, const ResultSet::Row& row)
{
    return rs.fieldOf(row, u"id_level"_qs).toInt() == 2 && rs.fieldOf(row, u"b_excluded"_qs).toInt() == 0;
}

const QString& ProductStore::duplicateSql(bool changing)
{
    return changing ? kDuplicateChangeSql : kDuplicateAddSql;
}

Params ProductStore::duplicateParams(const QString& brand, std::optional<qint64> changingId)
{
    // Upper case on the client, every alphabet included; the server
    // upper-cases the stored brands.
    Params p{{u"marka"_qs, brand.toUpper()}};
    if (changingId)
        p.insert(u"id"_qs, *changingId);
    return p;
}

bool ProductStore::brandTaken(const QString& brand, std::optional<qint64> changingId)
{
    return m_dm.count(duplicateSql(changingId.has_value()), duplicateParams(brand, changingId)) > 0;
}

std::optional<Decimal> ProductStore::parseMass(const QString& text)
{
    const QString t = text.trimmed();
    if (t.startsWith(u'-') || t.startsWith(u'+'))
        return std::nullopt; // a mass has no sign
    auto d = Decimal::parse(t);
    if (!d || d->isNegative())
        return std::nullopt;
    return d;
}

void ProductStore::add(const QString& brand, const Decimal& mass, qint64 groupId)
{
    // The mass travels as decimal text, so the numeric column gets exactly
    // the digits typed.
    m_dm.db().exec(kInsertSql, {{u"s_caption"_qs, brand}, {u"massa"_qs, mass.toString()}, {u"id_class_item"_qs, groupId}});
}

void ProductStore::change(qint64 id, const QString& brand, const Decimal& mass, qint64 groupId)
{
    m_dm.db().exec(kUpdateSql, {{u"s_caption"_qs, brand}, {u"massa"_qs, mass.toString()}, {u"id_class_item"_qs, groupId}, {u"id"_qs, id}});
}

QDate ProductStore::shiftCheckSince(const QDate& today)
{
    const int month = today.month() == 1 ? 13 : today.month();
    return QDate(2000, month - 1, 1);
}

int ProductStore::operationCount(qint64 id)
{
    return m_dm.count(kOperationCheckSql, {{u"id_ii"_qs, id}});
}

int ProductStore::shiftCount(qint64 id, const QDate& since)
{
    return m_dm.count(kShiftCheckSql, {{u"id_ii"_qs, id}, {u"dt"_qs, since}});
}

void ProductStore::remove(qint64 id, const Removal& what)
{
    if (!what.any())
        return;
    Database& db = m_dm.db();
    const Params p{{u"id_ii"_qs, id}};
    Transaction tx(db);
    if (what.operations)
        db.exec(kDeleteOperationsSql, p);
    if (what.shifts)
        db.exec(kDeleteShiftsSql, p);
    if (what.product)
        db.exec(kDeleteProductSql, p);
    tx.commit();
}

} // namespace tabel
