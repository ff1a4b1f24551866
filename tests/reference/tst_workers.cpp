#include "reference/worker_card.h"
#include "reference/worker_list.h"
#include "support/gui.h"
#include "support/test_database.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

using namespace tabel;
using tabel::test::FreshDatabase;
using tabel::test::MessageLog;

namespace {

const QString kInUse = u"Работник есть в записях смен, подсобных рабочих, долевых записях или хоз. работах — удалить его нельзя."_qs;

// Four workers in name order (the last one stored with trailing blanks),
// one of them with a position the ERP no longer lists, and the ERP lists
// the card looks up.
struct Plant {
    FreshDatabase fresh;
    Database db;
    DataModule dm;
    Plant() : db(fresh.settings()), dm(db)
    {
        fresh.side().execScript(uR"(
            insert into cmn_department.department (id, s_caption) values (1, 'Цех №1'), (2, 'Цех №2');
            insert into hrms_staffpos.staffpos (id, s_caption) values (11, 'Сварщик'), (12, 'Маляр'), (13, 'Слесарь');
            insert into adm_role.roles (id, s_caption) values (21, 'Оператор'), (22, 'Бухгалтер');
            insert into accounts_dep.person (id, fio, s_staffpos_hl) values
                (1, 'Андреев А.А.', 'Сварщик'), (2, 'Борисов Б.Б.', 'Маляр'),
                (3, 'Васильев В.В.', 'Старая должность'), (4, 'Григорьев Г.Г.   ', null);
            select setval('accounts_dep.person_id_seq', 100);
        )"_qs);
        db.open();
    }
    QVariant scalar(const QString& sql) { return fresh.side().scalar(sql); }
    int persons() { return scalar(u"select count(*) from accounts_dep.person"_qs).toInt(); }
    QString staffposOf(int id)
    {
        return fresh.side().scalar(u"select s_staffpos_hl from accounts_dep.person where id = :id"_qs, {{u"id"_qs, id}}).toString();
    }
};

template <typename T>
T* child(QWidget* w, const QString& name)
{
    T* c = w->findChild<T*>(name);
    if (!c)
        qFatal("no control %s in %s", qPrintable(name), qPrintable(w->objectName()));
    return c;
}

QPushButton* button(QWidget* w, const QString& name) { return child<QPushButton>(w, name); }

QStringList visibleNames(ResultSet& rs)
{
    QStringList names;
    for (int r = 0; r < rs.rowCount(); ++r)
        names << rs.value(r, u"fio"_qs).toString();
    return names;
}

// A real double click: the first click presses the row, the second one
// arrives as a double click.
void doubleClickRow(QAbstractItemView* grid, int row)
{
    const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

bool goToWorker(ResultSet& rs, int id) { return rs.locate(u"id"_qs, id); }

// Shows the list for maintenance and runs `body` while it is open; the
// list is closed afterwards whatever `body` did.
void inMaintenance(WorkerList& list, const std::function<void()>& body)
{
    test::whenModal([&](QWidget*) {
        body();
        list.reject();
    });
    list.openMaintenance();
}

// Fills the next card that comes up and presses `press` on it. A card
// that stays open after the press (a refused save) is cancelled.
struct CardAnswer {
    QString title;
    QString shownFio;
    QString shownStaffpos;
    int departmentIndex = -2;
    int rolesIndex = -2;
    bool stayedOpen = false;
};
void answerCard(CardAnswer& seen, const std::function<void(QWidget*)>& fill, const QString& press = u"Button1"_qs)
{
    test::whenModal([&seen, fill, press](QWidget* card) {
        seen.title = card->windowTitle();
        seen.shownFio = child<QLineEdit>(card, u"Edit1"_qs)->text();
        seen.shownStaffpos = child<QComboBox>(card, u"LCB_staffpos"_qs)->currentText();
        seen.departmentIndex = child<QComboBox>(card, u"LCB_department"_qs)->currentIndex();
        seen.rolesIndex = child<QComboBox>(card, u"LCB_roles"_qs)->currentIndex();
        if (fill)
            fill(card);
        button(card, press)->click();
        seen.stayedOpen = card->isVisible();
        if (seen.stayedOpen)
            button(card, u"Button2"_qs)->click();
    });
}

void setName(QWidget* card, const QString& name)
{
    auto* edit = child<QLineEdit>(card, u"Edit1"_qs);
    edit->clear();
    test::typeText(edit, name);
}

void pick(QWidget* card, const QString& box, const QString& caption)
{
    auto* combo = child<QComboBox>(card, box);
    combo->setCurrentIndex(combo->findText(caption));
}

} // namespace

class TestWorkers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walkAddChangeSearchChooseDelete();
    void chooserModes_data();
    void chooserModes();
    void confirmedChoiceKeepsListOpenOnRefusal();
    void emptyNameRefused_data();
    void emptyNameRefused();
    void deleteRefusedWhileNamed_data();
    void deleteRefusedWhileNamed();
    void hostileTexts_data();
    void hostileTexts();
    void positionOnChange_data();
    void positionOnChange();
    void changeKeepsRowNumber();
    void deletingLastRowGoesToFirst();
    void wheelStepsFocusedLookup();
};

void TestWorkers::walkAddChangeSearchChooseDelete()
{
    Plant p;
    MessageLog log;
    WorkerList list(p.dm);
    ResultSet& workers = p.dm.workers();
    QCOMPARE(list.objectName(), u"Form5"_qs);
    QCOMPARE(list.windowTitle(), u"Список рабочих"_qs);

    QStringList buttons;
    bool addDefault = false;
    CardAnswer added, changed;
    QString staffposAdded;
    QStringList afterAdd, afterChange, searched, afterClear, afterDelete;
    int statementsWhileTyping = -1;
    inMaintenance(list, [&] {
        for (const char* name : {"Button1", "Button2", "Button3", "Button4"}) {
            QPushButton* b = button(&list, QString::fromLatin1(name));
            buttons << (b->isVisible() ? b->text() : u"-"_qs);
        }
        addDefault = button(&list, u"Button1"_qs)->isDefault() && !button(&list, u"Button2"_qs)->isDefault();

        answerCard(added, [](QWidget* card) {
            setName(card, u"  Петров П.П.  "_qs);
            pick(card, u"LCB_staffpos"_qs, u"Слесарь"_qs);
        });
        button(&list, u"Button1"_qs)->click();
        afterAdd = visibleNames(workers);
        staffposAdded = p.staffposOf(101);

        goToWorker(workers, 1);
        answerCard(changed, [](QWidget* card) { setName(card, u"Андреева А.А."_qs); });
        doubleClickRow(list.grid(), 0);
        afterChange = visibleNames(workers);

        const int before = p.db.statementCount();
        test::typeText(list.searchBox(), u"бор"_qs);
        searched = visibleNames(workers);
        statementsWhileTyping = p.db.statementCount() - before;
        QTest::keyClick(list.searchBox(), Qt::Key_Backspace);
        QTest::keyClick(list.searchBox(), Qt::Key_Backspace);
        QTest::keyClick(list.searchBox(), Qt::Key_Backspace);
        afterClear = visibleNames(workers);

        goToWorker(workers, 101);
        log.answerNext(false); // "No" keeps him
        button(&list, u"Button3"_qs)->click();
        button(&list, u"Button3"_qs)->click();
        afterDelete = visibleNames(workers);
    });

    QCOMPARE(buttons, (QStringList{u"Добавить"_qs, u"Изменить"_qs, u"Удалить"_qs, u"Выход"_qs}));
    QVERIFY(addDefault);
    QCOMPARE(added.title, u"Заведение данных нового работника"_qs);
    QCOMPARE(added.shownFio, u""_qs);
    QVERIFY(!added.stayedOpen);
    QCOMPARE(afterAdd, (QStringList{u"Андреев А.А."_qs, u"Борисов Б.Б."_qs, u"Васильев В.В."_qs,
                                    u"Григорьев Г.Г.   "_qs, u"Петров П.П."_qs}));
    QCOMPARE(staffposAdded, u"Слесарь"_qs);

    QCOMPARE(changed.title, u"Изменение данных работника"_qs);
    QCOMPARE(changed.shownFio, u"Андреев А.А."_qs);
    QCOMPARE(afterChange.first(), u"Андреева А.А."_qs);
    QCOMPARE(p.staffposOf(1), u"Сварщик"_qs);

    QCOMPARE(searched, QStringList{u"Борисов Б.Б."_qs});
    QCOMPARE(statementsWhileTyping, 0);
    QCOMPARE(afterClear.size(), 5);

    QCOMPARE(log.shown().size(), 2);
    for (const msg::Shown& s : log.shown()) {
        QCOMPARE(s.text, u"Удалить работника?"_qs);
        QCOMPARE(s.caption, u"Удаление"_qs);
        QCOMPARE(int(s.icon), int(msg::Icon::Question));
    }
    QCOMPARE(afterDelete.size(), 4);
    QVERIFY(!afterDelete.contains(u"Петров П.П."_qs));
    QCOMPARE(p.persons(), 4);
    QVERIFY(!workers.isOpen()); // open only while the list is shown

    // The same window then serves as a chooser: Enter in the search box
    // chooses the one worker left.
    std::optional<Choice> chosen;
    test::whenModal([&](QWidget*) {
        test::typeText(list.searchBox(), u"Гри"_qs);
        QTest::keyClick(list.searchBox(), Qt::Key_Return);
    });
    chosen = list.choose(WorkerList::ForPosition);
    QVERIFY(chosen);
    QCOMPARE(chosen->id, qint64(4));
    QCOMPARE(chosen->name, u"Григорьев Г.Г."_qs);
    QVERIFY(!workers.isOpen());
}

void TestWorkers::chooserModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("addShown");
    QTest::newRow("position dialog") << 1 << false;
    QTest::newRow("helper hours") << 11 << true;
    QTest::newRow("maintenance card") << 24 << false;
    QTest::newRow("painter") << 33 << false;
}

void TestWorkers::chooserModes()
{
    QFETCH(int, mode);
    QFETCH(bool, addShown);
    Plant p;
    MessageLog log;
    WorkerList list(p.dm);
    // Left over from an earlier showing: a choice starts with all workers.
    list.searchBox()->setText(u"Анд"_qs);

    bool addVisible = !addShown, deleteVisible = true, chooseDefault = false;
    QString chooseText, searchText;
    int rows = 0;
    test::whenModal([&](QWidget*) {
        addVisible = button(&list, u"Button1"_qs)->isVisible();
        deleteVisible = button(&list, u"Button3"_qs)->isVisible();
        chooseText = button(&list, u"Button2"_qs)->text();
        chooseDefault = button(&list, u"Button2"_qs)->isDefault();
        searchText = list.searchBox()->text();
        rows = p.dm.workers().rowCount();
        goToWorker(p.dm.workers(), 4);
        button(&list, u"Button2"_qs)->click();
    });
    const auto chosen = list.choose(mode);
    QCOMPARE(addVisible, addShown);
    QVERIFY(!deleteVisible);
    QCOMPARE(chooseText, u"Выбрать"_qs);
    QVERIFY(chooseDefault);
    QCOMPARE(searchText, u""_qs);
    QCOMPARE(rows, 4);
    QVERIFY(chosen);
    QCOMPARE(chosen->id, qint64(4));
    QCOMPARE(chosen->name, u"Григорьев Г.Г."_qs); // trimmed

    // "Выход" hands nothing over, even after moving through the rows.
    test::whenModal([&](QWidget*) {
        QTest::keyClick(list.searchBox(), Qt::Key_Down);
        button(&list, u"Button4"_qs)->click();
    });
    QVERIFY(!list.choose(mode));

    // Maintenance afterwards: "Изменить" again, not the default button.
    test::whenModal([&](QWidget*) {
        chooseText = button(&list, u"Button2"_qs)->text();
        chooseDefault = button(&list, u"Button2"_qs)->isDefault();
        deleteVisible = button(&list, u"Button3"_qs)->isVisible();
        addVisible = button(&list, u"Button1"_qs)->isVisible();
        list.reject();
    });
    list.openMaintenance();
    QCOMPARE(chooseText, u"Изменить"_qs);
    QVERIFY(!chooseDefault);
    QVERIFY(deleteVisible && addVisible);
    QVERIFY(log.shown().isEmpty());
}

void TestWorkers::confirmedChoiceKeepsListOpenOnRefusal()
{
    Plant p;
    WorkerList list(p.dm);
    QStringList asked;
    bool answer = false;
    bool openAfterRefusal = false;
    test::whenModal([&](QWidget*) {
        goToWorker(p.dm.workers(), 4);
        button(&list, u"Button2"_qs)->click();
        openAfterRefusal = list.isVisible();
        answer = true;
        button(&list, u"Button2"_qs)->click();
        if (list.isVisible())
            list.reject();
    });
    const auto chosen = list.choose(WorkerList::ForHelper, [&](QWidget* opener, qint64 id, const QString& fio) {
        asked << u"%1:%2:%3"_qs.arg(opener == &list).arg(id).arg(fio);
        return answer;
    });
    QVERIFY(openAfterRefusal);
    // The name is handed to the question as stored, untrimmed.
    QCOMPARE(asked, (QStringList{u"1:4:Григорьев Г.Г.   "_qs, u"1:4:Григорьев Г.Г.   "_qs}));
    QVERIFY(chosen);
    QCOMPARE(chosen->id, qint64(4));
}

void TestWorkers::emptyNameRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("changing"); // 0 = a new worker, else his id
    QTest::newRow("new, empty") << u""_qs << 0;
    QTest::newRow("new, blanks") << u"    "_qs << 0;
    QTest::newRow("rename to blanks") << u"   "_qs << 2;
    QTest::newRow("rename to nothing") << u""_qs << 2;
}

void TestWorkers::emptyNameRefused()
{
    QFETCH(QString, name);
    QFETCH(int, changing);
    Plant p;
    MessageLog log;
    WorkerList list(p.dm);
    CardAnswer seen;
    inMaintenance(list, [&] {
        answerCard(seen, [&](QWidget* card) { setName(card, name); });
        if (changing) {
            goToWorker(p.dm.workers(), changing);
            button(&list, u"Button2"_qs)->click();
        } else {
            button(&list, u"Button1"_qs)->click();
        }
    });
    QVERIFY(seen.stayedOpen);
    QCOMPARE(log.shown().size(), 1);
    QCOMPARE(log.shown()[0].text, u"ФИО нужно заполнить!"_qs);
    QCOMPARE(log.shown()[0].caption, u"Ошибка"_qs);
    QCOMPARE(int(log.shown()[0].icon), int(msg::Icon::Error));
    QCOMPARE(p.persons(), 4);
    QCOMPARE(p.scalar(u"select fio from accounts_dep.person where id = 2"_qs).toString(), u"Борисов Б.Б."_qs);
}

void TestWorkers::deleteRefusedWhileNamed_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("refused");
    const QString smena = u"insert into accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, data, smena) values (%1, 1, 1, 1, 1, '2026-12-09', 1)"_qs;
    QTest::newRow("shift record") << smena.arg(1) << true;
    QTest::newRow("helper entry") << u"insert into accounts_dep.person_temp (id_smena, id_person, f_time) values (5, 1, 2)"_qs << true;
    QTest::newRow("share, painter") << u"insert into accounts_dep.painting_temp (id_p, id_w, v_id) values (1, 2, 1)"_qs << true;
    QTest::newRow("share, worker") << u"insert into accounts_dep.painting_temp (id_p, id_w, v_id) values (2, 1, 1)"_qs << true;
    QTest::newRow("maintenance record") << u"insert into accounts_dep.fatigue (id_o, id_p, d_date, cnt, price) values (7777, 1, '2026-12-09', 8, 100)"_qs << true;
    // Records of other workers do not hold him.
    QTest::newRow("only others' records") << smena.arg(2) + u"; insert into accounts_dep.fatigue (id_o, id_p, d_date) values (7777, 3, '2026-12-09')"_qs << false;
}

void TestWorkers::deleteRefusedWhileNamed()
{
    QFETCH(QString, record);
    QFETCH(bool, refused);
    Plant p;
    p.fresh.side().execScript(record);
    MessageLog log;
    WorkerList list(p.dm);
    int rowAfter = 0;
    inMaintenance(list, [&] {
        goToWorker(p.dm.workers(), 1);
        button(&list, u"Button3"_qs)->click();
        rowAfter = p.dm.workers().rowNumber();
    });
    QCOMPARE(p.scalar(u"select count(*) from accounts_dep.person where id = 1"_qs).toInt(), refused ? 1 : 0);
    QCOMPARE(p.scalar(u"select count(*) from cmn_contractor.person where id = 1"_qs).toInt(), refused ? 1 : 0);
    QCOMPARE(rowAfter, 1);
    QCOMPARE(log.shown().size(), refused ? 2 : 1);
    QCOMPARE(log.shown()[0].text, u"Удалить работника?"_qs);
    if (refused) {
        QCOMPARE(log.shown()[1].text, kInUse);
        QCOMPARE(log.shown()[1].caption, u"Удаление"_qs);
        QCOMPARE(int(log.shown()[1].icon), int(msg::Icon::Error));
    }
    // Straight through the store as well.
    WorkerStore store(p.db);
    QCOMPARE(int(store.remove(1)), int(refused ? WorkerStore::Removal::InUse : WorkerStore::Removal::Missing));
}

void TestWorkers::hostileTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophe") << u"O'Neil"_qs;
    QTest::newRow("quotes") << u"ООО \"Ромашка\""_qs;
    QTest::newRow("percent") << u"50%"_qs;
    QTest::newRow("underscore") << u"under_score"_qs;
    QTest::newRow("backslash") << u"back\\slash"_qs;
    QTest::newRow("statement") << u"x'); delete from accounts_dep.person; --"_qs;
    QTest::newRow("unicode") << u"Ёлкин Ü ß € №5"_qs;
}

void TestWorkers::hostileTexts()
{
    QFETCH(QString, name);
    Plant p;
    // Names a pattern reading of the typed text would also find.
    p.fresh.side().execScript(uR"(insert into accounts_dep.person (fio) values ('50 лет'), ('underXscore'), ('backslash'), ('x'))"_qs);
    MessageLog log;
    WorkerList list(p.dm);
    CardAnswer added, renamed;
    QStringList found;
    inMaintenance(list, [&] {
        answerCard(added, [&](QWidget* card) {
            setName(card, name);
            pick(card, u"LCB_staffpos"_qs, u"Маляр"_qs);
        });
        button(&list, u"Button1"_qs)->click();
        test::typeText(list.searchBox(), name);
        found = visibleNames(p.dm.workers());
        // Changing him shows and keeps the name exactly.
        answerCard(renamed, nullptr);
        button(&list, u"Button2"_qs)->click();
    });
    QVERIFY(log.shown().isEmpty());
    QCOMPARE(found, QStringList{name});
    QCOMPARE(renamed.shownFio, name);
    QCOMPARE(p.scalar(u"select count(*) from accounts_dep.person"_qs).toInt(), 9);
    QCOMPARE(p.fresh.side().scalar(u"select count(*) from accounts_dep.person where fio = :f and s_staffpos_hl = 'Маляр'"_qs,
                                   {{u"f"_qs, name}}).toInt(), 1);
}

void TestWorkers::positionOnChange_data()
{
    QTest::addColumn<int>("worker");
    QTest::addColumn<QString>("choose"); // empty: leave the box as shown
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");
    QTest::newRow("ERP position kept") << 1 << u""_qs << u"Сварщик"_qs << u"Сварщик"_qs;
    QTest::newRow("unlisted position kept") << 3 << u""_qs << u"Старая должность"_qs << u"Старая должность"_qs;
    QTest::newRow("no position stays empty") << 4 << u""_qs << u""_qs << u""_qs;
    QTest::newRow("another position chosen") << 1 << u"Слесарь"_qs << u"Сварщик"_qs << u"Слесарь"_qs;
    QTest::newRow("unlisted replaced") << 3 << u"Маляр"_qs << u"Старая должность"_qs << u"Маляр"_qs;
}

void TestWorkers::positionOnChange()
{
    QFETCH(int, worker);
    QFETCH(QString, choose);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    Plant p;
    MessageLog log;
    WorkerList list(p.dm);
    CardAnswer first, seen;
    inMaintenance(list, [&] {
        // An earlier card with other choices, cancelled, leaves nothing behind.
        answerCard(first, [](QWidget* card) {
            pick(card, u"LCB_staffpos"_qs, u"Маляр"_qs);
            pick(card, u"LCB_department"_qs, u"Цех №2"_qs);
            pick(card, u"LCB_roles"_qs, u"Бухгалтер"_qs);
        }, u"Button2"_qs);
        goToWorker(p.dm.workers(), 2);
        button(&list, u"Button2"_qs)->click();

        answerCard(seen, [&](QWidget* card) {
            setName(card, child<QLineEdit>(card, u"Edit1"_qs)->text() + u" мл."_qs);
            // The department is not where the position comes from.
            pick(card, u"LCB_department"_qs, u"Цех №1"_qs);
            if (!choose.isEmpty())
                pick(card, u"LCB_staffpos"_qs, choose);
        });
        goToWorker(p.dm.workers(), worker);
        button(&list, u"Button2"_qs)->click();
    });
    QCOMPARE(first.shownStaffpos, u"Маляр"_qs);
    QCOMPARE(seen.shownStaffpos, shown);
    QCOMPARE(seen.departmentIndex, -1);
    QCOMPARE(seen.rolesIndex, -1);
    QCOMPARE(p.staffposOf(worker), stored);
    QCOMPARE(p.staffposOf(2), u"Маляр"_qs);
    QVERIFY(p.scalar(u"select fio from accounts_dep.person where id = %1"_qs.arg(worker)).toString().endsWith(u" мл."_qs));
    QVERIFY(log.shown().isEmpty());
}

void TestWorkers::changeKeepsRowNumber()
{
    Plant p;
    WorkerList list(p.dm);
    CardAnswer seen;
    int row = 0;
    QString current;
    inMaintenance(list, [&] {
        goToWorker(p.dm.workers(), 2); // row 2
        answerCard(seen, [](QWidget* card) { setName(card, u"Яковлев Я.Я."_qs); });
        button(&list, u"Button2"_qs)->click();
        row = p.dm.workers().rowNumber();
        current = p.dm.workers().value(u"fio"_qs).toString();
    });
    // The same row number, now another worker: the renamed one sorts last.
    QCOMPARE(row, 2);
    QCOMPARE(current, u"Васильев В.В."_qs);
}

void TestWorkers::deletingLastRowGoesToFirst()
{
    Plant p;
    MessageLog log;
    WorkerList list(p.dm);
    int row = 0, rows = 0;
    inMaintenance(list, [&] {
        p.dm.workers().goToRow(4);
        button(&list, u"Button3"_qs)->click();
        row = p.dm.workers().rowNumber();
        rows = p.dm.workers().rowCount();
    });
    QCOMPARE(rows, 3);
    QCOMPARE(row, 1);
    QCOMPARE(p.scalar(u"select count(*) from accounts_dep.person where id = 4"_qs).toInt(), 0);
}

void TestWorkers::wheelStepsFocusedLookup()
{
    Plant p;
    WorkerStore store(p.db);
    WorkerCard card(store);
    QCOMPARE(card.objectName(), u"Form2"_qs);
    card.prepareChange(1, u"Андреев А.А."_qs, u"Сварщик"_qs);

    auto* staffpos = child<QComboBox>(&card, u"LCB_staffpos"_qs);
    auto* roles = child<QComboBox>(&card, u"LCB_roles"_qs);
    auto* department = child<QComboBox>(&card, u"LCB_department"_qs);
    auto* name = child<QLineEdit>(&card, u"Edit1"_qs);
    const auto wheel = [](QWidget* over, int dy) {
        QWheelEvent e(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, dy),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &e);
    };
    QStringList steps;
    const auto note = [&] {
        steps << u"%1/%2/%3"_qs.arg(department->currentIndex()).arg(staffpos->currentText(), roles->currentText());
    };
    bool focusInName = false;
    bool cardDefault = false;
    test::whenModal([&](QWidget*) {
        focusInName = card.focusWidget() == name;
        cardDefault = button(&card, u"Button1"_qs)->isDefault();
        wheel(name, -120); // focus in the name box: no box moves
        note();
        staffpos->setFocus();
        wheel(department, -120); // over another box: the focused one moves
        note();
        wheel(&card, -120); // already the last entry
        note();
        wheel(name, 120);
        note();
        roles->setFocus();
        wheel(staffpos, -120); // from no selection to the first entry
        note();
        card.reject();
    });
    showModal(&card, nullptr);
    QVERIFY(focusInName);
    QVERIFY(cardDefault);
    QCOMPARE(staffpos->maxVisibleItems(), 10);
    // Positions in name order: Маляр, Сварщик, Слесарь; roles: Бухгалтер, Оператор.
    QCOMPARE(steps, (QStringList{u"-1/Сварщик/"_qs, u"-1/Слесарь/"_qs, u"-1/Слесарь/"_qs,
                                 u"-1/Сварщик/"_qs, u"-1/Сварщик/Бухгалтер"_qs}));
}

QTEST_MAIN(TestWorkers)
#include "tst_workers.moc"
