#include "core/build_stamp.h"
#include "core/decimal.h"
#include "core/decimal_text.h"
#include "core/roles.h"

#include <QTest>

using namespace tabel;

class TestCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundingOfDoubles_data();
    void roundingOfDoubles();
    void decimalArithmeticIsExact();
    void parseRejectsGarbage();
    void normalizeDecimal_data();
    void normalizeDecimal();
    void buildStamp_data();
    void buildStamp();
    void roles_data();
    void roles();
    void rolePolicies();
};

void TestCore::roundingOfDoubles_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("expected");
    // The double nearest 2.675 lies below it: rounding must see the decimal.
    QTest::newRow("2.675 up to even") << 2.675 << 2 << "2.68";
    QTest::newRow("2.665 down to even") << 2.665 << 2 << "2.66";
    QTest::newRow("15.75 stays") << 15.75 << 2 << "15.75";
    QTest::newRow("negative tie") << -2.675 << 2 << "-2.68";
    QTest::newRow("0.5 to 0") << 0.5 << 0 << "0";
    QTest::newRow("1.5 to 2") << 1.5 << 0 << "2";
    QTest::newRow("2.5 to 2") << 2.5 << 0 << "2";
    QTest::newRow("price tie down") << 1.00005 << 4 << "1.0000";
    QTest::newRow("price tie up") << 1.00015 << 4 << "1.0002";
    QTest::newRow("price above tie") << 0.84751 << 4 << "0.8475";
    QTest::newRow("1.1 x 3 as computed") << 1.1 * 3 << 2 << "3.30";
    QTest::newRow("padding") << 7.0 << 2 << "7.00";
    QTest::newRow("large money") << 1234567.125 << 2 << "1234567.12";
}

void TestCore::roundingOfDoubles()
{
    QFETCH(double, value);
    QFETCH(int, places);
    QFETCH(QString, expected);
    QCOMPARE(Decimal::fromDouble(value).toString(places), expected);
    QCOMPARE(Decimal::fromDouble(value).rounded(places), *Decimal::parse(expected));
}

void TestCore::decimalArithmeticIsExact()
{
    const Decimal a = *Decimal::parse(u"0.1"_qs);
    const Decimal b = *Decimal::parse(u"0.2"_qs);
    QCOMPARE(a + b, *Decimal::parse(u"0.3"_qs));
    // (kol_vo - brak) x cena of a line, then money rounding.
    const Decimal money = Decimal::fromInt(37) * Decimal::fromDouble(0.8475);
    QCOMPARE(money.toString(), u"31.3575"_qs);
    QCOMPARE(roundMoney(money).toString(), u"31.36"_qs);
    QCOMPARE((Decimal::fromInt(2) - *Decimal::parse(u"2,50"_qs)).toString(), u"-0.5"_qs);
    QVERIFY(*Decimal::parse(u"1.10"_qs) == *Decimal::parse(u"1.1"_qs));
    QVERIFY(*Decimal::parse(u"-1"_qs) < Decimal());
}

void TestCore::parseRejectsGarbage()
{
    for (const QString& bad : {u""_qs, u"-"_qs, u"1.2.3"_qs, u"12a"_qs, u"1 000"_qs, u"."_qs, u"١٢"_qs})
        QVERIFY2(!Decimal::parse(bad), qPrintable(bad));
    QCOMPARE(Decimal::parse(u" 12,5 "_qs)->toString(), u"12.5"_qs);
}

void TestCore::normalizeDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delim");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("delimAfter");
    QTest::newRow("comma, no delimiter yet") << "12,5" << "" << "12.5" << ".";
    QTest::newRow("comma, point") << "12,5" << "." << "12.5" << ".";
    QTest::newRow("only the first comma") << "1,2,3" << "" << "1.2,3" << ".";
    QTest::newRow("no separator: untouched") << "7" << "" << "7" << "";
    QTest::newRow("point to database comma") << "12.5" << "," << "12,5" << ",";
    QTest::newRow("comma wins over point") << "1.234,5" << "." << "1.234.5" << ".";
}

void TestCore::normalizeDecimal()
{
    QFETCH(QString, text);
    QFETCH(QString, delim);
    QFETCH(QString, expected);
    QFETCH(QString, delimAfter);
    QCOMPARE(tabel::normalizeDecimal(text, delim), expected);
    QCOMPARE(delim, delimAfter);
}

void TestCore::buildStamp_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("stampDate");
    QTest::addColumn<int>("stampTime");
    QTest::newRow("october evening") << "Oct 15 2024" << "22:40:58" << 20241015 << 81658;
    QTest::newRow("padded day") << "Jan  1 2025" << "00:00:07" << 20250101 << 7;
    QTest::newRow("december") << "Dec 31 2026" << "23:59:59" << 20261231 << 86399;
    QTest::newRow("unknown month") << "Foo 15 2024" << "22:40:58" << 0 << 0;
    QTest::newRow("bad time") << "Oct 15 2024" << "22-40-58" << 0 << 0;
}

void TestCore::buildStamp()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(int, stampDate);
    QFETCH(int, stampTime);
    const auto stamp = parseBuildStamp(date.toLatin1().constData(), time.toLatin1().constData());
    if (stampDate == 0) {
        QVERIFY(!stamp);
        return;
    }
    QVERIFY(stamp);
    QCOMPARE(stamp->date, stampDate);
    QCOMPARE(stamp->time, stampTime);
    QCOMPARE(BuildStamp({20241015, 81658}).text(), u"20241015.81658"_qs);
    // The date decides before the time.
    QVERIFY(BuildStamp({20241016, 5}) > BuildStamp({20241015, 80000}));
    QVERIFY(programBuildStamp().date > 20240000);
}

void TestCore::roles_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("role");
    QTest::newRow("admin long") << "61730482" << int(Role::Administrator);
    QTest::newRow("admin short") << "5306" << int(Role::Administrator);
    QTest::newRow("blanks around") << "  5306 " << int(Role::Administrator);
    QTest::newRow("analyst") << "vatrik" << int(Role::Analyst);
    QTest::newRow("foremen") << "plobend" << int(Role::Foremen);
    QTest::newRow("storekeeper") << "trovu" << int(Role::Storekeeper);
    QTest::newRow("other case") << "VATRIK" << int(Role::Refused);
    QTest::newRow("empty") << "" << int(Role::Refused);
    QTest::newRow("inner blank") << "53 06" << int(Role::Refused);
}

void TestCore::roles()
{
    QFETCH(QString, code);
    QFETCH(int, role);
    QCOMPARE(int(roleForCode(code)), role);
}

void TestCore::rolePolicies()
{
    QVERIFY(policyFor(Role::Administrator).registerDisabled.isEmpty());
    QVERIFY(!policyFor(Role::Foremen).okToggle);
    QVERIFY(policyFor(Role::Storekeeper).finishedProductsOnly);
    QVERIFY(policyFor(Role::Storekeeper).reportsDisabled.contains(u"Button6"_qs));
    QVERIFY(!policyFor(Role::Foremen).registerDisabled.contains(u"Button1"_qs));
}

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
