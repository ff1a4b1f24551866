#include "core/reserved.h"
#include "reference/price_store.h"

#include "reports/excel_export.h"

#include <QSqlQuery>

namespace tabel {
namespace {


const QString kDuplicateOnAddSql =
    uR"(select count(ID) as cnt from accounts_dep.OPER where vid=:vid and naimen=:naimen and i_id=:i_id)"_qs;
const QString kDuplicateOnChangeSql =
    uR"(select count(*) as cnt from accounts_dep.OPER where vid=:vid and naimen=:naimen and i_id=:i_id and id<>:id)"_qs;
// A saved operation without norms is not in the list; finding it lets the
// operator give it its first norm instead of being refused for good.
const QString kUnpricedSql =
    uR"(select o.id from accounts_dep.oper o where o.vid=:vid and o.naimen=:naimen and o.i_id=:i_id and not exists (select 1 from accounts_dep.norm n where n.o_id=o.id) order by o.id limit 1)"_qs;
const QString kInsertSql =
    uR"(insert into accounts_dep.oper(vid, naimen, i_id, cena_new)values (:vid, :naimen, :i_id, 0) returning id)"_qs;
const QString kUpdateSql =
    uR"(update accounts_dep.oper set vid=:vid, naimen=:naimen,  i_id=:i_id where id=:id)"_qs;
const QString kDeleteSql = uR"(delete from accounts_dep.oper where id=:id)"_qs;
const QString kMarkaSql = uR"(select marka from accounts_dep.izdel where id=:id)"_qs;

// Every operation, with or without norms, priced by cena_new.
const QString kExportSql = uR"(select izdel.MARKA, vid_oper.VID, oper.NAIMEN,(SELECT (CASE naimen WHEN 0 THEN 'Готовая продукция' ELSE 'Заготовки' END)) as nmn, oper.CENA_new as cena, oper.id, oper.i_id, oper.VID as oper_vid from accounts_dep.OPER,accounts_dep.IZDEL,accounts_dep.VID_OPER where OPER.i_id=IZDEL.id and oper.vid=vid_oper.id order by izdel.marka, vid_oper.vid, oper.naimen)"_qs;

Params fieldParams(const OperationFields& f)
{
    return {{u"vid"_qs, f.vidId}, {u"naimen"_qs, f.naimen}, {u"i_id"_qs, f.izdelId}};
}

// The column names come from this table only, never from typed text.
QString columnOf(NormStore::Field field)
{
    switch (field) {
    case NormStore::Field::Norma:
        return u"norma"_qs;
    case NormStore::Field::Price:
        return u"price"_qs;
    case NormStore::Field::Prize:
        return u"prize"_qs;
    }
    return u"norma"_qs;
}

} // namespace

Decimal shiftPiecePrice(const Decimal& normPrice, bool dayOff, int shift)
{
    static const Decimal two = Decimal::fromInt(2);
    static const Decimal third = *Decimal::parse(u"1.2"_qs);
    static const Decimal overtime = *Decimal::parse(u"1.5"_qs);
    Decimal price = normPrice;
    if (dayOff)
        price = price * two;
    if (shift == 3)
        price = price * third;
    else if (shift == 4)
        price = price * overtime;
    return roundPrice(price);
}

QString productKindText(int naimen)
{
    return naimen == 0 ? u"Готовая продукция"_qs : u"Заготовки"_qs;
}

PriceStore::Result PriceStore::add(const OperationFields& f)
{
    const Params p = fieldParams(f);
    if (m_dm.count(kDuplicateOnAddSql, p) > 0) {
        const QVariant unpriced = m_dm.db().scalar(kUnpricedSql, p);
        if (!unpriced.isNull())
            return {Outcome::Unpriced, unpriced.toLongLong()};
        return {Outcome::Duplicate};
    }
    return {Outcome::Saved, m_dm.db().scalar(kInsertSql, p).toLongLong()};
}

PriceStore::Result PriceStore::change(qint64 id, const OperationFields& f)
{
    if (isReservedId(id))
        return {Outcome::Reserved, id};
    Params p = fieldParams(f);
    p.insert(u"id"_qs, id);
    if (m_dm.count(kDuplicateOnChangeSql, p) > 0)
        return {Outcome::Duplicate, id};
    m_dm.db().exec(kUpdateSql, p);
    return {Outcome::Saved, id};
}

bool PriceStore::remove(qint64 id)
{
    if (isReservedId(id))
        return false;
    m_dm.db().exec(kDeleteSql, {{u"id"_qs, id}});
    return true;
}

std::optional<PriceChoice> PriceStore::choiceFromCurrent(bool dayOff, int shift)
{
    ResultSet& oper = m_dm.oper();
    if (oper.isEmpty())
        return std::nullopt;
    PriceChoice c;
    c.operId = oper.value(u"id"_qs).toLongLong();
    if (isReservedId(c.operId))
        return std::nullopt;
    c.izdelId = oper.value(u"i_id"_qs).toLongLong();
    c.naimen = oper.value(u"naimen"_qs).toInt();
    // The lowest norm price arrives as exact decimal text.
    const Decimal normPrice = Decimal::parse(oper.value(u"cena"_qs).toString()).value_or(Decimal{});
    c.cena = shiftPiecePrice(normPrice, dayOff, shift);
    const QString marka = m_dm.db().scalar(kMarkaSql, {{u"id"_qs, c.izdelId}}).toString().trimmed();
    c.operationText = marka + u"; "_qs + oper.value(u"vid"_qs).toString().trimmed() + u"; "_qs
        + productKindText(c.naimen);
    return c;
}

int PriceStore::exportToExcel(ExcelExport& excel)
{
    QSqlQuery q = m_dm.db().exec(kExportSql);
    if (excel.openExcelWorkbook(QString(), u"Цены"_qs) < 0)
        return -1;
    const QStringList header = {u"Марка"_qs, u"Операция"_qs, u"Цена"_qs, u"Вид"_qs};
    for (int c = 0; c < header.size(); ++c)
        excel.writeExcelCell(1, c + 1, 1, header[c]);
    int row = 2;
    while (q.next()) {
        const QString cena = Decimal::parse(q.value(4).toString()).value_or(Decimal{}).toString().replace(u'.', u',');
        excel.writeExcelCell(1, 1, row, q.value(0).toString());
        excel.writeExcelCell(1, 2, row, q.value(1).toString());
        excel.writeExcelCell(1, 3, row, cena);
        excel.writeExcelCell(1, 4, row, productKindText(q.value(2).toInt()));
        ++row;
    }
    q.finish();
    excel.showExcel(true);
    return 1;
}

QList<Norm> NormStore::norms(qint64 operId)
{
    QSqlQuery q = m_db.exec(u"select id, norma, price, prize from accounts_dep.norm where o_id=:o_id order by norma, id"_qs,
                            {{u"o_id"_qs, operId}});
    QList<Norm> list;
    while (q.next())
        list << Norm{q.value(0).toLongLong(), q.value(1), q.value(2), q.value(3)};
    q.finish();
    return list;
}

qint64 NormStore::insert(qint64 operId, Field field, const QVariant& value)
{
    const QString sql = u"insert into accounts_dep.norm (o_id, %1) values (:o_id, :value) returning id"_qs.arg(columnOf(field));
    return m_db.scalar(sql, {{u"o_id"_qs, operId}, {u"value"_qs, value}}).toLongLong();
}

void NormStore::update(qint64 normId, Field field, const QVariant& value)
{
    const QString sql = u"update accounts_dep.norm set %1=:value where id=:id"_qs.arg(columnOf(field));
    m_db.exec(sql, {{u"id"_qs, normId}, {u"value"_qs, value}});
}

bool NormStore::remove(qint64 operId, qint64 normId)
{
    // One statement, so the count and the delete cannot fall apart.
    QSqlQuery q = m_db.exec(
        uR"(delete from accounts_dep.norm where id=:id and o_id=:o_id and (select count(*) from accounts_dep.norm where o_id=:o_id2) > 1)"_qs,
        {{u"id"_qs, normId}, {u"o_id"_qs, operId}, {u"o_id2"_qs, operId}});
    const bool removed = q.numRowsAffected() > 0;
    q.finish();
    return removed;
}

} // namespace tabel
