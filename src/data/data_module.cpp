#include "data/data_module.h"

#include "core/decimal_text.h"

#include <QDate>
#include <QSqlRecord>

namespace tabel {
namespace {

const QString kWorkersSql = uR"(select * from accounts_dep.person order by fio)"_qs;
const QString kIzdelSql = uR"(select *  from accounts_dep.IZDEL order by marka)"_qs;
const QString kVidOperSql = uR"(select * from accounts_dep.VID_OPER order by vid)"_qs;

// An operation without norms is not listed; its price is the lowest norm
// price and `norma` counts its norms.
const QString kOperSql = uR"(select izdel.MARKA, vid_oper.VID, oper.NAIMEN, i.s_caption  , (SELECT (CASE naimen WHEN 0 THEN 'Готовая продукция' ELSE 'Заготовки' END)) as nmn, count(o_id) norma, min(price)::numeric cena, oper.id, oper.i_id, oper.VID as oper_vid  from accounts_dep.norm,accounts_dep.OPER,accounts_dep.IZDEL,accounts_dep.VID_OPER, cmn_classifier.item i where OPER.i_id=IZDEL.id and norm.o_id=oper.id and oper.vid=vid_oper.id and i.id =izdel.id_class_item group by izdel.MARKA, vid_oper.VID, oper.NAIMEN, oper.id, oper.i_id, oper.VID, i.s_caption   order by izdel.marka, vid_oper.vid, oper.naimen)"_qs;

const QString kSmena1Sql = uR"(select smena.id, smena.data, smena.smena, smena.i_id, smena.o_id, smena.w_id,  smena.cena,person.s_caption fio, izdel.marka, vid_oper.vid, (SELECT (CASE naimen WHEN 0 THEN 'Готовая продукция' ELSE 'Заготовки' END)) as nmn, oper.naimen,  smena.brak, smena.kol_vo::numeric, round((kol_vo-brak)*smena.cena::numeric, 2) as summa, smena.prize, color,time, smena.ok, vvod, smena.id_doc, smena.id_doc_item, smena.f_gds_qty_use, smena.id_gds_use, smena.id_cons_use from cmn_contractor.person person, accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper  where smena.i_id=izdel.id and smena.o_id=oper.id and (w_id=person.id or s_code::t_id=w_id) and  oper.vid=vid_oper.id and smena.smena=1 and smena.data=:data and ok!=:ok order by  fio, izdel.marka, vid_oper.vid, oper.naimen, color)"_qs;

// Shifts 2, 3 and overtime share one text but for the shift number (and
// the qualified name column of overtime).
const QString kSmenaNSql = uR"(select smena.data, smena.smena, smena.i_id, smena.o_id, smena.w_id,  smena.cena, %1 fio, izdel.marka, vid_oper.vid, (SELECT (CASE naimen WHEN 0 THEN 'Готовая продукция' ELSE 'Заготовки' END)) as nmn, oper.naimen, smena.kol_vo::numeric, smena.brak,  round((kol_vo-brak)*smena.cena::numeric, 2) as summa, smena.prize, smena.id, color,time,smena.ok,vvod, smena.id_doc, smena.id_doc_item, smena.f_gds_qty_use, smena.id_gds_use, smena.id_cons_use   from cmn_contractor.person person,accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper  where smena.i_id=izdel.id and smena.o_id=oper.id and (w_id=person.id or s_code::t_id=w_id) and  oper.vid=vid_oper.id and smena.smena=%2 and smena.data=:data and ok<>:ok order by fio)"_qs;

const QString kHTabelSql = uR"(select person.s_caption fio, %1 as summ, case when %1=0 then 0 else (sum(s.cena*(kol_vo-brak))/%1) end ::numeric(10,2) as average_price, sum(s.cena*(kol_vo-brak))::numeric(10,2) as cena_all, h_tabel.* from accounts_dep.h_tabel, cmn_contractor.person, accounts_dep.smena s where  h_tabel.w_id=person.s_code::integer and h_tabel.smena=%2 and month=:mnth and s.w_id = h_tabel.w_id and h_tabel.year=:yea and s.data >=:date1 and s.data <:date2 group by person.s_caption,h_tabel.w_id,h_tabel.month,h_tabel.year,h_tabel.smena,h_tabel.id  order by fio)"_qs;

// "(coalesce(d1,0)+...+coalesce(d31,0))": the month's hours of a row.
QString daySum()
{
    QStringList terms;
    for (int d = 1; d <= 31; ++d)
        terms << u"coalesce(d%1,0)"_qs.arg(d);
    return u'(' + terms.join(u'+') + u')';
}

} // namespace

QString DataModule::smenaSql(int shift)
{
    if (shift <= 1)
        return kSmena1Sql;
    return kSmenaNSql.arg(shift == 4 ? u"person.s_caption"_qs : u"s_caption"_qs).arg(std::min(shift, 4));
}

QString DataModule::hTabelSql(int shift)
{
    return kHTabelSql.arg(daySum()).arg(std::clamp(shift, 1, 3));
}

DataModule::DataModule(Database& db, QObject* parent) : QObject(parent), m_db(db)
{
    setObjectName(u"DataModule6"_qs);
    m_workers = new ResultSet(db, u"Workers"_qs, kWorkersSql, this);
    m_izdel = new ResultSet(db, u"Izdel"_qs, kIzdelSql, this);
    m_oper = new ResultSet(db, u"Oper"_qs, kOperSql, this);
    m_vidOper = new ResultSet(db, u"Vid_oper"_qs, kVidOperSql, this);
    for (int shift = 1; shift <= 4; ++shift) {
        auto* q = new ResultSet(db, u"Smena%1"_qs.arg(shift), smenaSql(shift), this);
        q->setParam(u"ok"_qs, shift == 1 ? u"ok"_qs : u"ta"_qs);
        q->setParam(u"data"_qs, QDate::currentDate());
        // The stored filter keeps the reserved maintenance product out; the
        // register never switches it on.
        q->setFilter([](const ResultSet& rs, const ResultSet::Row& row) {
            return rs.fieldOf(row, u"i_id"_qs).toInt() != 7777;
        });
        m_smena[shift - 1] = q;
    }
    for (int shift = 1; shift <= 3; ++shift)
        m_hTabel[shift - 1] = new ResultSet(db, u"H_Tabel_%1"_qs.arg(shift), hTabelSql(shift), this);
}

QString DataModule::normalizeDecimal(const QString& text)
{
    return tabel::normalizeDecimal(text, m_decimalDelim);
}

int DataModule::count(const QString& sql, const Params& params)
{
    QSqlQuery q = m_db.exec(sql, params);
    int n = 0;
    if (q.next()) {
        const QSqlRecord rec = q.record();
        const int column = rec.indexOf(u"cnt"_qs);
        n = q.value(column < 0 ? 0 : column).toInt();
    }
    q.finish();
    return n;
}

} // namespace tabel
