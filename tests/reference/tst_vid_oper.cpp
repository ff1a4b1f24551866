#include "reference/vid_oper_card.h"
#include "reference/vid_oper_list.h"
#include "support/gui.h"
#include "support/test_database.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tabel;
using test::buttonOf;
using test::onWindow;
using test::opensModal;
using tabel::test::FreshDatabase;
using tabel::test::MessageLog;

namespace {

using Outcome = VidOperStore::Outcome;

// A few types besides the reserved ones of the schema (2, 3 and 7777..7781).
// "500 штук" begins like "50%" but does not contain the percent sign.
struct Plant {
    FreshDatabase fresh;
    Database db{fresh.settings()};
    DataModule dm{db};
    Plant()
    {
        fresh.side().execScript(uR"(
            insert into accounts_dep.vid_oper (id, vid) values
                (20, 'Сварка'), (21, 'Резка'), (22, 'Ёлочная сборка'), (23, '500 штук');
        )"_qs);
        db.open();
    }
    int count(const QString& sql, const Params& p = {}) { return fresh.side().scalar(sql, p).toInt(); }
    QString nameOf(qint64 id)
    {
        return fresh.side().scalar(u"select vid from accounts_dep.vid_oper where id=:id"_qs, {{u"id"_qs, id}}).toString();
    }
    int types() { return count(u"select count(*) from accounts_dep.vid_oper"_qs); }
};




// Types a name into the card and presses "Записать"; whether the card closed.
bool saveCard(QDialog* card, const QString& name)
{
    auto* edit = card->findChild<QLineEdit*>(u"Edit1"_qs);
    edit->clear();
    test::typeText(edit, name);
    buttonOf(card, u"Button1"_qs)->click();
    return !card->isVisible();
}

} // namespace

class TestVidOper : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveRefusals_data();
    void saveRefusals();
    void reservedTypesStay();
    void walkAddChangeDelete();
    void chooserSearchesAndHandsOver();
};

void TestVidOper::saveRefusals_data()
{
    QTest::addColumn<qint64>("renaming"); // 0 adds
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("stored"); // what the saved row holds

    const int saved = int(Outcome::Saved);
    const int duplicate = int(Outcome::Duplicate);
    const int empty = int(Outcome::EmptyName);
    const int reserved = int(Outcome::Reserved);
    QTest::newRow("blanks only") << qint64(0) << u"   "_qs << empty << QString();
    QTest::newRow("lower case of a Cyrillic name") << qint64(0) << u"сварка"_qs << duplicate << QString();
    QTest::newRow("upper case with blanks around") << qint64(0) << u" СВАРКА "_qs << duplicate << QString();
    QTest::newRow("ё against Ё") << qint64(0) << u"ёлочная СБОРКА"_qs << duplicate << QString();
    QTest::newRow("new name is trimmed") << qint64(0) << u"  Гибка  "_qs << saved << u"Гибка"_qs;
    QTest::newRow("quote") << qint64(0) << u"O'Neil"_qs << saved << u"O'Neil"_qs;
    QTest::newRow("double quotes") << qint64(0) << u"ООО \"Ромашка\""_qs << saved << u"ООО \"Ромашка\""_qs;
    QTest::newRow("percent and backslash") << qint64(0) << u"50% \\ 1"_qs << saved << u"50% \\ 1"_qs;
    QTest::newRow("rename to its own name in another case") << qint64(20) << u"СВАРКА"_qs << saved << u"СВАРКА"_qs;
    QTest::newRow("rename to another's name") << qint64(20) << u"резка"_qs << duplicate << u"Сварка"_qs;
    QTest::newRow("rename to blanks") << qint64(20) << u" "_qs << empty << u"Сварка"_qs;
    QTest::newRow("rename 7777") << qint64(7777) << u"Прочее"_qs << reserved << u"Хоз. работы"_qs;
    QTest::newRow("rename 7778") << qint64(7778) << u"Прочее"_qs << reserved << u"Ср. сдельная"_qs;
}

void TestVidOper::saveRefusals()
{
    QFETCH(qint64, renaming);
    QFETCH(QString, typed);
    QFETCH(int, outcome);
    QFETCH(QString, stored);
    Plant plant;
    VidOperStore store(plant.dm);
    const int before = plant.types();
    const VidOperStore::Result r = renaming ? store.rename(renaming, typed) : store.add(typed);
    QCOMPARE(int(r.outcome), outcome);
    const bool added = !renaming && r.outcome == Outcome::Saved;
    QCOMPARE(plant.types(), before + (added ? 1 : 0));
    if (renaming)
        QCOMPARE(plant.nameOf(renaming), stored);
    else if (added)
        QCOMPARE(plant.nameOf(r.id), stored);
}

void TestVidOper::reservedTypesStay()
{
    Plant plant;
    VidOperList list(plant.dm, nullptr);
    MessageLog log;
    bool cardOpened = true;
    bool chosen = true;
    onWindow(u"Form8"_qs, [&](QDialog*) {
        ResultSet& rs = plant.dm.vidOper();
        cardOpened = false;
        for (const qint64 id : {7777, 7778}) {
            QVERIFY(rs.locate(u"id"_qs, id));
            cardOpened = cardOpened || opensModal([&] { buttonOf(&list, u"Button2"_qs)->click(); });
            buttonOf(&list, u"Button3"_qs)->click();
        }
    });
    list.openMaintenance();
    QVERIFY(!cardOpened);
    QVERIFY(log.shown().isEmpty()); // not even the question
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.vid_oper where id in (7777, 7778)"_qs), 2);

    onWindow(u"Form8"_qs, [&](QDialog*) {
        QVERIFY(plant.dm.vidOper().locate(u"id"_qs, 7778));
        buttonOf(&list, u"Button2"_qs)->click();
        chosen = !list.isVisible();
    });
    QVERIFY(!list.choose().has_value());
    QVERIFY(!chosen);

    // The store refuses them too, whoever asks.
    VidOperStore store(plant.dm);
    QVERIFY(!store.remove(7777));
    QVERIFY(!store.remove(7778));
    QVERIFY(store.remove(21));
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.vid_oper where id in (7777, 7778, 21)"_qs), 2);
}

void TestVidOper::walkAddChangeDelete()
{
    Plant plant;
    VidOperList list(plant.dm, nullptr);
    MessageLog log;
    ResultSet& rs = plant.dm.vidOper();
    bool searchShown = true;
    QStringList captions;
    QList<bool> closed;
    QString prefilled;
    QStringList listed;
    int rowAfterChange = 0;
    int rowChanged = 0;

    onWindow(u"Form8"_qs, [&](QDialog*) {
        searchShown = list.searchBox()->isVisible();
        QCOMPARE(buttonOf(&list, u"Button2"_qs)->text(), u"Изменить"_qs);
        QVERIFY(buttonOf(&list, u"Button1"_qs)->isDefault());
        const QStringList names = {u"O'Neil"_qs, u"ООО \"Ромашка\""_qs, u"50%"_qs};
        for (const QString& name : names) {
            onWindow(u"Form9"_qs, [&](QDialog* card) {
                captions << card->windowTitle();
                closed << saveCard(card, name);
            });
            buttonOf(&list, u"Button1"_qs)->click();
        }
        // The same name in another letter case: refused, the card stays.
        onWindow(u"Form9"_qs, [&](QDialog* card) { closed << saveCard(card, u"o'NEIL"_qs); });
        buttonOf(&list, u"Button1"_qs)->click();

        // Rename "50%": the card opens with the stored name.
        QVERIFY(rs.locate(u"vid"_qs, u"50%"_qs));
        rowChanged = rs.rowNumber();
        onWindow(u"Form9"_qs, [&](QDialog* card) {
            captions << card->windowTitle();
            prefilled = card->findChild<QLineEdit*>(u"Edit1"_qs)->text();
            closed << saveCard(card, u"50% \"брак\""_qs);
        });
        list.grid()->doubleClicked(list.grid()->currentIndex());
        rowAfterChange = rs.rowNumber();

        // Delete "O'Neil": No keeps it, Yes deletes it.
        QVERIFY(rs.locate(u"vid"_qs, u"O'Neil"_qs));
        log.answerNext(false);
        buttonOf(&list, u"Button3"_qs)->click();
        buttonOf(&list, u"Button3"_qs)->click();
        for (int r = 0; r < rs.rowCount(); ++r)
            listed << rs.value(r, u"vid"_qs).toString();
    });
    list.openMaintenance();

    QVERIFY(!searchShown);
    QCOMPARE(captions, (QStringList{u"Заведение нового вида операций"_qs, u"Заведение нового вида операций"_qs,
                                    u"Заведение нового вида операций"_qs, u"Изменение данных вида операции"_qs}));
    QCOMPARE(closed, (QList<bool>{true, true, true, false, true}));
    QCOMPARE(prefilled, u"50%"_qs);
    QCOMPARE(rowAfterChange, rowChanged); // back on the same row number
    QVERIFY(listed.contains(u"ООО \"Ромашка\""_qs));
    QVERIFY(listed.contains(u"50% \"брак\""_qs));
    QVERIFY(!listed.contains(u"O'Neil"_qs));
    QVERIFY(!listed.contains(u"50%"_qs));
    QCOMPARE(log.texts(), (QStringList{u"Такая операция уже заведена!"_qs, u"Удалить вид операции?"_qs,
                                       u"Удалить вид операции?"_qs}));
    QCOMPARE(log.shown().at(0).caption, u"Ошибка"_qs);
    QCOMPARE(log.shown().at(1).caption, u"Удаление"_qs);
    QCOMPARE(int(log.shown().at(1).icon), int(msg::Icon::Question));
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.vid_oper where vid = :v"_qs,
                         {{u"v"_qs, u"ООО \"Ромашка\""_qs}}), 1);
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.vid_oper where vid like 'O%'"_qs), 0);
    QVERIFY(!rs.isOpen()); // closed when the list returns

    // An empty name is refused by the card itself.
    log.clear();
    list.card()->startAdd();
    onWindow(u"Form9"_qs, [&](QDialog* card) { closed << saveCard(card, u"  "_qs); });
    showModal(list.card(), nullptr);
    QCOMPARE(closed.last(), false);
    QCOMPARE(log.texts(), QStringList{u"Все поля должны быть заполнены!"_qs});
}

void TestVidOper::chooserSearchesAndHandsOver()
{
    Plant plant;
    plant.fresh.side().exec(u"insert into accounts_dep.vid_oper (id, vid) values (24, '50%')"_qs);
    VidOperList list(plant.dm, nullptr);
    ResultSet& rs = plant.dm.vidOper();
    bool searchShown = false;
    QString buttonText;
    bool chooseIsDefault = false;
    bool addHidden = false;
    QStringList narrowed;
    QStringList percent;

    onWindow(u"Form8"_qs, [&](QDialog*) {
        searchShown = list.searchBox()->isVisible();
        buttonText = buttonOf(&list, u"Button2"_qs)->text();
        chooseIsDefault = buttonOf(&list, u"Button2"_qs)->isDefault();
        addHidden = !buttonOf(&list, u"Button1"_qs)->isVisible() && !buttonOf(&list, u"Button3"_qs)->isVisible();
        // Names beginning with the text, letter case aside; "%" is a plain
        // character.
        test::typeText(list.searchBox(), u"50%"_qs);
        for (int r = 0; r < rs.rowCount(); ++r)
            percent << rs.value(r, u"vid"_qs).toString();
        list.searchBox()->clear();
        test::typeText(list.searchBox(), u"ё"_qs);
        for (int r = 0; r < rs.rowCount(); ++r)
            narrowed << rs.value(r, u"vid"_qs).toString();
        QTest::keyClick(list.searchBox(), Qt::Key_Return); // the default button chooses
    });
    const std::optional<Choice> choice = list.choose();

    QVERIFY(searchShown);
    QCOMPARE(buttonText, u"Выбрать"_qs);
    QVERIFY(chooseIsDefault);
    QVERIFY(addHidden);
    QCOMPARE(percent, QStringList{u"50%"_qs});
    QCOMPARE(narrowed, QStringList{u"Ёлочная сборка"_qs});
    QVERIFY(choice.has_value());
    QCOMPARE(choice->id, qint64(22));
    QCOMPARE(choice->name, u"Ёлочная сборка"_qs);
    QVERIFY(!list.searchBox()->isVisibleTo(&list));
    QVERIFY(!rs.isOpen());

    // From the main menu again: every type, no search box.
    int rows = 0;
    onWindow(u"Form8"_qs, [&](QDialog*) {
        searchShown = list.searchBox()->isVisible();
        rows = rs.rowCount();
    });
    list.openMaintenance();
    QVERIFY(!searchShown);
    QCOMPARE(rows, plant.types());
}

QTEST_MAIN(TestVidOper)
#include "tst_vid_oper.moc"
