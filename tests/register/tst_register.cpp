#include "register/register_panel.h"
#include "support/test_database.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTest>

using namespace tabel;
using tabel::test::FreshDatabase;

namespace {

// A small plant: two workers, one product with one operation, and lines of
// one date in several shifts with every kind of ok mark.
struct Plant {
    FreshDatabase fresh;
    QDate day = QDate(2026, 12, 9); // a Wednesday
    Plant()
    {
        Database& db = fresh.side();
        db.execScript(uR"(
            insert into accounts_dep.person (id, fio) values (1, 'Андреев А.А.'), (2, 'Борисов Б.Б.'), (3, 'Без имени');
            delete from cmn_contractor.person where id = 3;
            insert into cmn_classifier.item (id, s_caption) values (101, 'Стеллажи');
            insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, massa, id_class_item) values (1001, 'Стеллаж СТ-1', 12.5, 101);
            insert into accounts_dep.vid_oper (id, vid) values (20, 'Сварка');
            insert into accounts_dep.oper (id, vid, naimen, i_id) values (30, 20, 0, 1001);
            insert into accounts_dep.norm (o_id, norma, price) values (30, 10, 2.675);
        )"_qs);
        const auto line = [&](int worker, int shift, const QVariant& ok) {
            db.exec(uR"(insert into accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, time, ok)
                        values (:w, 1001, 30, 2.675, 10, 1, :d, :s, 8, :ok))"_qs,
                    {{u"w"_qs, worker}, {u"d"_qs, day}, {u"s"_qs, shift}, {u"ok"_qs, ok}});
        };
        line(1, 1, u"no"_qs);
        line(2, 1, u"да"_qs);
        line(1, 1, u"ta"_qs);             // struck out: never shown
        line(2, 1, QVariant(QMetaType(QMetaType::QString))); // null mark: never shown
        line(3, 1, u"ok"_qs);             // worker without a name in the ERP
        line(1, 2, u"ok"_qs);
        line(2, 4, u""_qs);
    }
};

// The program's side of the plant: its own connection, data module and
// register, struck-out records hidden as after a login.
struct Bench {
    Plant plant;
    Database db{plant.fresh.settings()};
    DataModule dm{db};
    ShiftRegister reg{dm};
    Bench()
    {
        db.open();
        reg.setHiddenMark(u"ta"_qs);
    }
};

QString okOf(ResultSet& q, const QString& fio)
{
    for (int r = 0; r < q.rowCount(); ++r) {
        if (q.value(r, u"fio"_qs).toString() == fio)
            return q.value(r, u"ok"_qs).toString();
    }
    return u"<missing>"_qs;
}

} // namespace

class TestRegister : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadShowsWhatTheRegisterMayShow();
    void toggleAcceptsAndTakesBack();
    void foremenMayNotToggle();
    void toggleOnEmptyRegisterDoesNothing();
    void shiftChoiceRebindsWithoutQueries();
    void activationReturnsToToday();
    void dateChoiceSetsDayOff();
    void okColumnIsColoured();
};

void TestRegister::loadShowsWhatTheRegisterMayShow()
{
    Bench b;
    ShiftRegister& reg = b.reg;
    const int before = b.db.statementCount();
    reg.load(b.plant.day);
    QVERIFY(b.db.statementCount() - before <= 8); // four queries, prepared on first use
    ResultSet& s1 = reg.query(1);
    QCOMPARE(s1.rowCount(), 2);
    QCOMPARE(okOf(s1, u"Андреев А.А."_qs), u"no"_qs);
    QCOMPARE(okOf(s1, u"Борисов Б.Б."_qs), u"да"_qs);
    QCOMPARE(s1.value(0, u"summa"_qs).toString(), u"24.08"_qs); // 9 x 2.675 = 24.075, to even
    QCOMPARE(reg.query(2).rowCount(), 1);
    QCOMPARE(reg.query(3).rowCount(), 0);
    QCOMPARE(okOf(reg.query(4), u"Борисов Б.Б."_qs), u""_qs); // an empty mark is shown

    const int again = b.db.statementCount();
    reg.load(b.plant.day.addDays(1));
    QCOMPARE(b.db.statementCount() - again, 4);
    QCOMPARE(reg.query(1).rowCount(), 0);
}

void TestRegister::toggleAcceptsAndTakesBack()
{
    Bench b;
    ShiftRegister& reg = b.reg;
    reg.setCurSmena(1);
    reg.load(b.plant.day);
    ResultSet& q = reg.curQuery();

    struct Step { int row; const char* before; const char* after; };
    const Step steps[] = {
        {1, "no", "ok"}, // Андреев: accepted
        {1, "ok", "no"}, // and taken back
        {2, "да", "no"}, // Борисов: "да" counts as accepted
    };
    for (const Step& s : steps) {
        QVERIFY(q.goToRow(s.row));
        QCOMPARE(q.value(u"ok"_qs).toString(), QString::fromUtf8(s.before));
        QCOMPARE(int(reg.toggleOk(u"5306"_qs)), int(ShiftRegister::Toggle::Done));
        QCOMPARE(q.rowNumber(), s.row); // the same row stays current
        QCOMPARE(q.value(u"ok"_qs).toString(), QString::fromUtf8(s.after));
    }
    // Only the toggled lines changed in the table.
    QCOMPARE(b.plant.fresh.side().scalar(u"select count(*) from accounts_dep.smena where ok = 'no'"_qs).toInt(), 2);
    QCOMPARE(b.plant.fresh.side().scalar(u"select count(*) from accounts_dep.smena where ok = 'ta'"_qs).toInt(), 1);
}

void TestRegister::foremenMayNotToggle()
{
    Bench b;
    ShiftRegister& reg = b.reg;
    reg.setCurSmena(1);
    reg.load(b.plant.day);
    const int before = b.db.statementCount();
    QCOMPARE(int(reg.toggleOk(u"plobend"_qs)), int(ShiftRegister::Toggle::Refused));
    QCOMPARE(b.db.statementCount(), before); // not one statement
    QCOMPARE(okOf(reg.curQuery(), u"Андреев А.А."_qs), u"no"_qs);
    // Another letter case is not the foremen code.
    QCOMPARE(int(reg.toggleOk(u"PLOBEND"_qs)), int(ShiftRegister::Toggle::Done));
}

void TestRegister::toggleOnEmptyRegisterDoesNothing()
{
    Bench b;
    ShiftRegister& reg = b.reg;
    reg.setCurSmena(3);
    reg.load(b.plant.day);
    const int before = b.db.statementCount();
    QCOMPARE(int(reg.toggleOk(u"5306"_qs)), int(ShiftRegister::Toggle::NothingToToggle));
    QCOMPARE(b.db.statementCount(), before);
}

void TestRegister::shiftChoiceRebindsWithoutQueries()
{
    Bench b;
    ShiftRegister& reg = b.reg;
    RegisterPanel panel(reg);
    panel.show();
    reg.load(b.plant.day);
    const int before = b.db.statementCount();
    for (int shift : {2, 4, 1, 3}) {
        auto* b = panel.findChild<QRadioButton*>(u"RadioButton%1"_qs.arg(shift));
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(reg.curSmena(), shift);
        QCOMPARE(panel.grid()->resultSet(), &reg.query(shift));
        QVERIFY(b->font().bold());
    }
    QCOMPARE(b.db.statementCount(), before);
    QVERIFY(!panel.findChild<QRadioButton*>(u"RadioButton1"_qs)->font().bold());
}

void TestRegister::activationReturnsToToday()
{
    Bench b;
    ShiftRegister& reg = b.reg;
    RegisterPanel panel(reg);
    panel.show();
    auto* date = panel.findChild<QDateEdit*>(u"DateT"_qs);
    date->setDate(b.plant.day);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(date, &enter);
    QCOMPARE(reg.query(1).rowCount(), 2);
    QCOMPARE(reg.query(1).param(u"data"_qs).toDate(), b.plant.day);

    // Typed but not confirmed: a refresh reads the date it already had.
    date->setDate(b.plant.day.addDays(-1));
    panel.refresh();
    QCOMPARE(reg.query(1).param(u"data"_qs).toDate(), b.plant.day);

    const int before = b.db.statementCount();
    panel.activate();
    QCOMPARE(b.db.statementCount() - before, 4);
    QCOMPARE(date->date(), QDate::currentDate());
    for (int shift = 1; shift <= 4; ++shift)
        QCOMPARE(reg.query(shift).param(u"data"_qs).toDate(), QDate::currentDate());
    QCOMPARE(reg.query(1).rowCount(), 0);
}

void TestRegister::dateChoiceSetsDayOff()
{
    Bench b;
    ShiftRegister& reg = b.reg;
    RegisterPanel panel(reg);
    panel.show();
    auto* date = panel.findChild<QDateEdit*>(u"DateT"_qs);
    auto* dayOff = panel.findChild<QCheckBox*>(u"CBox1"_qs);
    const auto choose = [&](const QDate& d) {
        date->setDate(d);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier);
        QApplication::sendEvent(date, &enter);
    };
    choose(QDate(2026, 12, 12)); // Saturday
    QVERIFY(dayOff->isChecked());
    QVERIFY(dayOff->font().bold());
    choose(QDate(2026, 12, 14)); // Monday
    QVERIFY(!dayOff->isChecked());
    QVERIFY(!dayOff->font().bold());

    // The activation never unchecks a hand-set day off (on a weekend it
    // checks it itself).
    dayOff->setChecked(true);
    panel.activate();
    QVERIFY(dayOff->isChecked());
    QVERIFY(panel.dayOff());
}

void TestRegister::okColumnIsColoured()
{
    Bench b;
    ShiftRegister& reg = b.reg;
    RegisterPanel panel(reg);
    reg.load(b.plant.day);
    ResultSetModel* model = panel.grid()->resultModel();
    const int okColumn = 10;
    QCOMPARE(model->headerData(okColumn, Qt::Horizontal, Qt::DisplayRole).toString(), u"OK"_qs);
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString mark = model->index(row, okColumn).data().toString();
        const QColor colour = model->index(row, okColumn).data(Qt::ForegroundRole).value<QColor>();
        QCOMPARE(colour, mark == u"да" || mark == u"ok" ? QColor(0, 0x80, 0) : QColor(0xFF, 0, 0));
        QVERIFY(model->index(row, okColumn).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!model->index(row, 0).data(Qt::ForegroundRole).isValid());
    }
    // Money with the decimal comma; the hidden premium column stays hidden.
    QCOMPARE(model->index(0, 8).data().toString(), u"24,08"_qs);
    QVERIFY(panel.grid()->isColumnHidden(9));
}

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
