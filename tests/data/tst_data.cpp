#include "data/data_module.h"
#include "data/version_row.h"
#include "support/gui.h"
#include "support/test_database.h"
#include "widgets/record_exists.h"

#include <QDate>
#include <QTest>

using namespace tabel;
using tabel::test::FreshDatabase;

class TestData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void resultSetNavigation();
    void resultSetFilterAndReopen();
    void hostileTextsTravelAsValues();
    void dayFirstDatesAlsoAfterReconnect();
    void recordExistsRefusesOnce();
    void transactionLeavesNothingHalfWritten();
    void preparedStatementsCostOneRoundTrip();
    void lostConnectionIsReportedOnceThenRestored();
    void unreachableServerFailsToOpen();
    void sharedQueriesRun();
    void versionRow_data();
    void versionRow();
    void emptyVersionTableGetsItsRow();
};

namespace {

void addWorkers(Database& db, const QStringList& names)
{
    for (const QString& n : names)
        db.exec(u"insert into accounts_dep.person (fio, s_staffpos_hl) values (:f, 'токарь')"_qs, {{u"f"_qs, n}});
}

} // namespace

void TestData::resultSetNavigation()
{
    FreshDatabase fresh;
    addWorkers(fresh.side(), {u"Борисов"_qs, u"Андреев"_qs, u"Васильев"_qs});
    Database db(fresh.settings());
    db.open();
    DataModule dm(db);
    ResultSet& w = dm.workers();
    QCOMPARE(w.rowNumber(), 0);
    w.open();
    QCOMPARE(w.rowCount(), 3);
    QCOMPARE(w.rowNumber(), 1);
    QCOMPARE(w.value(u"fio"_qs).toString(), u"Андреев"_qs);
    QVERIFY(w.goToRow(3));
    QCOMPARE(w.value(u"FIO"_qs).toString(), u"Васильев"_qs);
    QVERIFY(!w.goToRow(4));
    QVERIFY(!w.goToRow(0));
    QCOMPARE(w.rowNumber(), 3);
    QVERIFY(w.locate(u"fio"_qs, u"Борисов"_qs));
    QCOMPARE(w.rowNumber(), 2);
    QVERIFY(!w.locate(u"fio"_qs, u"Никто"_qs));
    QCOMPARE(w.rowNumber(), 2);
    QVERIFY(!w.value(u"no_such_field"_qs).isValid());
    w.close();
    QCOMPARE(w.rowCount(), 0);
    QCOMPARE(w.rowNumber(), 0);
}

void TestData::resultSetFilterAndReopen()
{
    FreshDatabase fresh;
    addWorkers(fresh.side(), {u"Андреев"_qs, u"Андронов"_qs, u"Борисов"_qs});
    Database db(fresh.settings());
    db.open();
    ResultSet rs(db, u"byPosition"_qs, u"select * from accounts_dep.person where s_staffpos_hl = :pos order by fio"_qs);
    rs.setParam(u"pos"_qs, u"токарь"_qs);
    rs.open();
    QCOMPARE(rs.rowCount(), 3);

    const int before = db.statementCount();
    rs.setFilter([](const ResultSet& r, const ResultSet::Row& row) {
        return r.fieldOf(row, u"fio"_qs).toString().startsWith(u"Андр"_qs);
    });
    rs.setFiltered(true);
    QCOMPARE(rs.rowCount(), 2);
    QCOMPARE(rs.value(1, u"fio"_qs).toString(), u"Андронов"_qs);
    rs.setFiltered(false);
    QCOMPARE(rs.rowCount(), 3);
    QCOMPARE(db.statementCount(), before); // filtering reads nothing

    // Reopen keeps the parameters and the row number.
    rs.goToRow(3);
    fresh.side().exec(u"insert into accounts_dep.person (fio, s_staffpos_hl) values ('Яковлев', 'токарь')"_qs);
    rs.reopenKeepingRow();
    QCOMPARE(rs.rowCount(), 4);
    QCOMPARE(rs.rowNumber(), 3);
    // Fewer rows than the remembered number: the last one.
    fresh.side().exec(u"delete from accounts_dep.person where fio <> 'Андреев'"_qs);
    rs.reopenKeepingRow();
    QCOMPARE(rs.rowNumber(), 1);
}

void TestData::hostileTextsTravelAsValues()
{
    FreshDatabase fresh;
    Database db(fresh.settings());
    db.open();
    const QStringList names = {u"O'Neil"_qs, u"ООО \"Ромашка\""_qs, u"50%"_qs, u"C:\\путь\\"_qs,
                               u"'); drop table accounts_dep.person; --"_qs, u":fio :id ?"_qs, u"日本 ✓ 𝄞"_qs};
    for (const QString& n : names)
        db.exec(u"insert into accounts_dep.person (fio) values (:fio)"_qs, {{u"fio"_qs, n}});
    for (const QString& n : names) {
        QCOMPARE(db.scalar(u"select count(*) from accounts_dep.person where fio = :fio"_qs, {{u"fio"_qs, n}}).toInt(), 1);
        QCOMPARE(db.scalar(u"select s_caption from cmn_contractor.person where s_caption = :fio"_qs, {{u"fio"_qs, n}}).toString(), n);
    }
    QCOMPARE(db.scalar(u"select count(*) from accounts_dep.person"_qs).toInt(), int(names.size()));
}

void TestData::dayFirstDatesAlsoAfterReconnect()
{
    FreshDatabase fresh;
    Database db(fresh.settings());
    db.open();
    QCOMPARE(db.scalar(u"select '01.02.2026'::date"_qs).toDate(), QDate(2026, 2, 1));
    QCOMPARE(db.scalar(u"select to_char(:d::date, 'DD.MM.YYYY')"_qs, {{u"d"_qs, QDate(2026, 3, 4)}}).toString(),
             u"04.03.2026"_qs);
    db.close();
    QCOMPARE(db.scalar(u"select '05.06.2026'::date"_qs).toDate(), QDate(2026, 6, 5));
}

void TestData::recordExistsRefusesOnce()
{
    FreshDatabase fresh;
    addWorkers(fresh.side(), {u"А"_qs, u"Б"_qs, u"В"_qs});
    Database db(fresh.settings());
    db.open();
    DataModule dm(db);
    test::MessageLog log;
    const QString counting = u"select count(*) as cnt from accounts_dep.person where s_staffpos_hl = :p"_qs;
    QVERIFY(!recordExists(dm, counting, {{u"p"_qs, u"маляр"_qs}}, u"Такая запись уже есть!"_qs));
    QVERIFY(log.shown().isEmpty());
    QVERIFY(recordExists(dm, counting, {{u"p"_qs, u"токарь"_qs}}, u"Такая запись уже есть!"_qs));
    QCOMPARE(log.shown().size(), 1);
    QCOMPARE(log.shown()[0].caption, u"Ошибка"_qs);
    QCOMPARE(log.shown()[0].text, u"Такая запись уже есть!"_qs);
    QCOMPARE(int(log.shown()[0].icon), int(msg::Icon::Error));
}

void TestData::transactionLeavesNothingHalfWritten()
{
    FreshDatabase fresh;
    Database db(fresh.settings());
    db.open();
    const auto count = [&] { return db.scalar(u"select count(*) from accounts_dep.person"_qs).toInt(); };
    try {
        Transaction tx(db);
        db.exec(u"insert into accounts_dep.person (fio) values ('Первый')"_qs);
        db.exec(u"insert into accounts_dep.no_such_table values (1)"_qs);
        tx.commit();
        QFAIL("the second statement must fail");
    } catch (const DbError& e) {
        QVERIFY(e.message().contains(u"no_such_table"_qs));
    }
    QCOMPARE(count(), 0);

    // An inner part that failed voids the outer commit.
    bool refused = false;
    try {
        Transaction outer(db);
        db.exec(u"insert into accounts_dep.person (fio) values ('Второй')"_qs);
        try {
            Transaction inner(db);
            db.exec(u"insert into accounts_dep.person (fio) values ('Третий')"_qs);
            throw std::runtime_error("inner part fails");
        } catch (const std::runtime_error&) {
        }
        outer.commit();
    } catch (const DbError&) {
        refused = true;
    }
    QVERIFY(refused);
    QCOMPARE(count(), 0);

    {
        Transaction tx(db);
        db.exec(u"insert into accounts_dep.person (fio) values ('Четвёртый')"_qs);
        tx.commit();
    }
    QCOMPARE(count(), 1);
}

void TestData::preparedStatementsCostOneRoundTrip()
{
    FreshDatabase fresh;
    Database db(fresh.settings());
    db.open();
    const QString sql = u"select count(*) from accounts_dep.person where id = :id"_qs;
    db.scalar(sql, {{u"id"_qs, 1}});
    const int before = db.statementCount();
    for (int i = 0; i < 5; ++i)
        db.scalar(sql, {{u"id"_qs, i}});
    QCOMPARE(db.statementCount() - before, 5);
}

void TestData::lostConnectionIsReportedOnceThenRestored()
{
    FreshDatabase fresh;
    Database db(fresh.settings());
    db.open();
    const int pid = db.scalar(u"select pg_backend_pid()"_qs).toInt();
    fresh.side().exec(u"select pg_terminate_backend(:pid)"_qs, {{u"pid"_qs, pid}});
    QTest::qWait(100);
    QString message;
    try {
        db.scalar(u"select 1"_qs);
    } catch (const DbError& e) {
        message = e.message();
    }
    QVERIFY2(!message.isEmpty(), "the lost connection must be reported");
    // The next command reconnects by itself.
    QCOMPARE(db.scalar(u"select 2"_qs).toInt(), 2);
    QVERIFY(db.scalar(u"select pg_backend_pid()"_qs).toInt() != pid);
}

void TestData::unreachableServerFailsToOpen()
{
    ConnectionSettings s;
    s.database = u"no_such_database"_qs;
    s.server = test::socketDir();
    Database db(s, u"unreachable"_qs);
    QVERIFY_THROWS_EXCEPTION(DbError, db.open());
    s.server = u"/nonexistent/socket/folder"_qs;
    Database nowhere(s, u"nowhere"_qs);
    QVERIFY_THROWS_EXCEPTION(DbError, nowhere.open());
}

void TestData::sharedQueriesRun()
{
    FreshDatabase fresh(FreshDatabase::WithDemo);
    Database db(fresh.settings());
    db.open();
    DataModule dm(db);
    dm.izdel().open();
    dm.vidOper().open();
    dm.workers().open();
    QVERIFY(dm.workers().rowCount() > 0);
    dm.oper().open();
    const int priced = dm.oper().rowCount();
    QVERIFY(priced > 0);
    // An operation without norms is not listed.
    fresh.side().exec(u"insert into accounts_dep.oper (vid, naimen, i_id) select 4, 0, min(id) from cmn_gds_and_srv.gds_and_srv where id < 7777"_qs);
    dm.oper().reopen();
    QCOMPARE(dm.oper().rowCount(), priced);

    for (int shift = 1; shift <= 4; ++shift) {
        dm.smena(shift).setParam(u"ok"_qs, u"ta"_qs);
        dm.smena(shift).open();
        QVERIFY2(dm.smena(shift).rowCount() > 0, qPrintable(u"shift %1"_qs.arg(shift)));
    }
    const QDate today = QDate::currentDate();
    for (int shift = 1; shift <= 3; ++shift) {
        ResultSet& h = dm.hTabel(shift);
        h.setParam(u"mnth"_qs, today.month());
        h.setParam(u"yea"_qs, today.year());
        h.setParam(u"date1"_qs, QDate(today.year(), today.month(), 1));
        h.setParam(u"date2"_qs, QDate(today.year(), today.month(), 1).addMonths(1));
        h.open();
        QVERIFY(h.rowCount() > 0);
        QVERIFY(h.fieldIndex(u"average_price"_qs) >= 0 && h.fieldIndex(u"d31"_qs) >= 0);
    }
}

void TestData::versionRow_data()
{
    QTest::addColumn<int>("storedD");
    QTest::addColumn<int>("storedT");
    QTest::addColumn<bool>("outdated");
    QTest::addColumn<int>("afterD");
    QTest::addColumn<int>("afterT");
    QTest::addColumn<int>("statements");
    const int d = 20261015, t = 50000;
    QTest::newRow("same stamp: nothing changes") << d << t << false << d << t << 1;
    // Recording: the read, then the update prepared and run.
    QTest::newRow("older row: this build recorded") << d - 1 << t + 9 << false << d << t << 3;
    QTest::newRow("same day, earlier time") << d << t - 1 << false << d << t << 3;
    QTest::newRow("newer client seen") << d << t + 1 << true << d << t + 1 << 1;
    QTest::newRow("date decides before time") << d + 1 << t - 100 << true << d + 1 << t - 100 << 1;
}

void TestData::versionRow()
{
    QFETCH(int, storedD);
    QFETCH(int, storedT);
    QFETCH(bool, outdated);
    QFETCH(int, afterD);
    QFETCH(int, afterT);
    QFETCH(int, statements);
    FreshDatabase fresh;
    fresh.side().exec(u"insert into accounts_dep.ver (d, t, delim) values (:d, :t, ',')"_qs,
                      {{u"d"_qs, storedD}, {u"t"_qs, storedT}});
    Database db(fresh.settings());
    db.open();
    const int before = db.statementCount();
    const VersionVerdict v = checkVersion(db, BuildStamp{20261015, 50000});
    QCOMPARE(db.statementCount() - before, statements);
    QCOMPARE(v.outdated, outdated);
    QCOMPARE(v.delim, u","_qs);
    QSqlQuery q = fresh.side().exec(u"select d, t from accounts_dep.ver"_qs);
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), afterD);
    QCOMPARE(q.value(1).toInt(), afterT);
    QVERIFY(!q.next());
}

void TestData::emptyVersionTableGetsItsRow()
{
    FreshDatabase fresh;
    Database db(fresh.settings());
    db.open();
    const VersionVerdict v = checkVersion(db, BuildStamp{20261015, 7});
    QVERIFY(!v.outdated);
    QVERIFY(v.delim.isEmpty());
    QCOMPARE(fresh.side().scalar(u"select count(*) from accounts_dep.ver where d = 20261015 and t = 7"_qs).toInt(), 1);
    // The decimal separator of the row reaches normalizeDecimal.
    fresh.side().exec(u"update accounts_dep.ver set delim = ','"_qs);
    DataModule dm(db);
    dm.setDecimalDelim(checkVersion(db, BuildStamp{20261015, 7}).delim);
    QCOMPARE(dm.normalizeDecimal(u"12.5"_qs), u"12,5"_qs);
}

QTEST_MAIN(TestData)
#include "tst_data.moc"
