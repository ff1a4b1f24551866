#include "reference/product_card.h"
#include "reference/product_list.h"
#include "support/gui.h"
#include "support/test_database.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tabel;
using test::whileOpen;
using test::onNextCard;
using tabel::test::FreshDatabase;
using tabel::test::MessageLog;

namespace {

const QString kIncomplete = u"Все поля должны быть заполнены!"_qs;
const QString kDuplicate = u"Такая марка изделия уже заведена!"_qs;
const QString kBadMass = u"В поле «Расценка» должно быть число, например 12.5"_qs;
const QString kAskOperations = u"По изделию есть расценки они будут удалены!!!"_qs;
const QString kAskShifts =
    u"По изделию есть операции в текущем, предыдущем месяцах и ранее, они будут удалены. Удалить изделие? "_qs;
const QString kAskProduct = u"Удалить изделие? "_qs;

// Products with every kind of dependent row:
// 3001 СТЕЛЛАЖ, 3002 "Шкаф Ш-1 " (trailing blank), 3003 Болт М8 (nothing),
// 3004 Полка (two operations), 3005 Рама (two shift records),
// 3006 Стойка (an operation and a shift record), 3007 Старое (a shift
// record of 1999 only). Groups in use: Болты, Стеллажи, Шкафы.
struct Plant {
    FreshDatabase fresh;
    Database db{fresh.settings()};
    DataModule dm{db};
    Plant()
    {
        fresh.side().execScript(uR"(
            insert into cmn_classifier.item (id, s_caption, b_excluded) values
                (301, 'Стеллажи', 0), (302, 'Архив', 1), (303, 'Шкафы', 0), (304, 'Болты', 0);
            insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, massa, id_class_item) values
                (3001, 'СТЕЛЛАЖ', 12.5, 301), (3002, 'Шкаф Ш-1 ', 40, 303), (3003, 'Болт М8', 0.1, 304),
                (3004, 'Полка', 2, 301), (3005, 'Рама', 3, 303), (3006, 'Стойка', 4, 301), (3007, 'Старое', 5, 302);
            insert into accounts_dep.vid_oper (id, vid) values (20, 'Сварка');
            insert into accounts_dep.oper (id, vid, i_id) values (40, 20, 3004), (41, 20, 3004), (42, 20, 3006);
            insert into accounts_dep.smena (i_id, o_id, data) values
                (3005, 0, '2026-03-02'), (3005, 0, '2000-12-01'), (3006, 42, '2026-03-02'), (3007, 0, '1999-06-30');
        )"_qs);
        db.open();
    }
    int count(const QString& sql, const Params& p = {}) { return fresh.side().scalar(sql, p).toInt(); }
    int products(qint64 id) { return count(u"select count(*) from cmn_gds_and_srv.gds_and_srv where id = :id"_qs, {{u"id"_qs, id}}); }
    int operations(qint64 id) { return count(u"select count(*) from accounts_dep.oper where i_id = :id"_qs, {{u"id"_qs, id}}); }
    int shifts(qint64 id) { return count(u"select count(*) from accounts_dep.smena where i_id = :id"_qs, {{u"id"_qs, id}}); }
};

template <typename T = QPushButton>
T* child(QWidget* w, const QString& name)
{
    return w->findChild<T*>(name);
}



void chooseGroup(QWidget* card, qint64 group)
{
    auto* cb = child<QComboBox>(card, u"cb_item"_qs);
    cb->setCurrentIndex(group ? cb->findData(group) : -1);
}

QStringList comboTexts(QComboBox* cb)
{
    QStringList t;
    for (int i = 0; i < cb->count(); ++i)
        t << cb->itemText(i);
    return t;
}

} // namespace

class TestProducts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveRefusals_data();
    void saveRefusals();
    void massBoxTakesDigitsAndOneDot_data();
    void massBoxTakesDigitsAndOneDot();
    void massStoredExactly();
    void groupLookupOffersGroupsInUse();
    void walkAddChangeSearchChooseDelete();
    void reservedProductsUntouchable_data();
    void reservedProductsUntouchable();
    void deleteQuestions_data();
    void deleteQuestions();
    void failedDeleteLeavesEverything();
    void shiftCheckCountsFromYear2000_data();
    void shiftCheckCountsFromYear2000();
    void shiftCountIncludesTheDay();
    void hostileBrandsStoredAndFound_data();
    void hostileBrandsStoredAndFound();
};

void TestProducts::saveRefusals_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<qint64>("id");
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("mass");
    QTest::addColumn<qint64>("group");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::addColumn<int>("stored");      // products with the trimmed brand afterwards
    const int add = ProductCard::Add;
    const int change = ProductCard::Change;
    QTest::newRow("Cyrillic brand in another case") << add << qint64(0) << u"стеллаж"_qs << u"1"_qs << qint64(301) << kDuplicate << 0;
    QTest::newRow("blanks around an existing brand") << add << qint64(0) << u" СТЕЛЛАЖ "_qs << u"1"_qs << qint64(301) << kDuplicate << 1;
    QTest::newRow("brand in use by another product") << change << qint64(3002) << u"Стеллаж"_qs << u"1"_qs << qint64(303) << kDuplicate << 0;
    QTest::newRow("own brand in another case") << change << qint64(3001) << u"Стеллаж"_qs << u"12.5"_qs << qint64(301) << QString() << 1;
    QTest::newRow("new brand") << add << qint64(0) << u"Стеллаж-2"_qs << u"7"_qs << qint64(301) << QString() << 1;
    QTest::newRow("empty brand") << add << qint64(0) << u"   "_qs << u"1"_qs << qint64(301) << kIncomplete << 0;
    QTest::newRow("empty mass") << add << qint64(0) << u"Новое"_qs << u" "_qs << qint64(301) << kIncomplete << 0;
    QTest::newRow("no group") << add << qint64(0) << u"Новое"_qs << u"1"_qs << qint64(0) << kIncomplete << 0;
    QTest::newRow("a dot alone") << add << qint64(0) << u"Новое"_qs << u"."_qs << qint64(301) << kBadMass << 0;
    QTest::newRow("two separators") << add << qint64(0) << u"Новое"_qs << u"1.2.3"_qs << qint64(301) << kBadMass << 0;
}

void TestProducts::saveRefusals()
{
    QFETCH(int, mode);
    QFETCH(qint64, id);
    QFETCH(QString, brand);
    QFETCH(QString, mass);
    QFETCH(qint64, group);
    QFETCH(QString, message);
    QFETCH(int, stored);
    Plant plant;
    ProductStore store(plant.dm);
    ProductCard card(plant.dm, store, nullptr);
    MessageLog log;
    if (mode == ProductCard::Add)
        card.startAdd();
    else
        card.startChange(id, {}, {}, 0);
    child<QLineEdit>(&card, u"Edit1"_qs)->setText(brand);
    child<QLineEdit>(&card, u"Edit2"_qs)->setText(mass);
    chooseGroup(&card, group);
    child(&card, u"Button1"_qs)->click();

    if (message.isEmpty()) {
        QVERIFY2(log.shown().isEmpty(), qPrintable(log.texts().join(u'|')));
        QCOMPARE(card.result(), int(QDialog::Accepted));
    } else {
        QCOMPARE(log.texts(), QStringList{message});
        QCOMPARE(log.shown().at(0).caption, u"Ошибка"_qs);
        QCOMPARE(int(log.shown().at(0).icon), int(msg::Icon::Error));
        QCOMPARE(card.result(), int(QDialog::Rejected)); // the card stays for a correction
    }
    QCOMPARE(plant.count(u"select count(*) from cmn_gds_and_srv.gds_and_srv where s_caption = :b"_qs,
                         {{u"b"_qs, brand.trimmed()}}), stored);
    if (mode == ProductCard::Change && message.isEmpty())
        QCOMPARE(plant.count(u"select count(*) from cmn_gds_and_srv.gds_and_srv where id = 3001 and s_caption = 'Стеллаж'"_qs), 1);
}

void TestProducts::massBoxTakesDigitsAndOneDot_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("comma becomes a dot") << u"12,5"_qs << u"12.5"_qs;
    QTest::newRow("letters dropped") << u"1a2бZ3"_qs << u"123"_qs;
    QTest::newRow("signs and blanks dropped") << u"-5 кг+"_qs << u"5"_qs;
    QTest::newRow("separators are not counted") << u"7.,5"_qs << u"7..5"_qs;
}

void TestProducts::massBoxTakesDigitsAndOneDot()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Plant plant;
    ProductStore store(plant.dm);
    ProductCard card(plant.dm, store, nullptr);
    card.startAdd();
    auto* mass = child<QLineEdit>(&card, u"Edit2"_qs);
    test::typeText(mass, typed);
    QCOMPARE(mass->text(), shown);
    QTest::keyClick(mass, Qt::Key_Backspace);
    QCOMPARE(mass->text(), shown.chopped(1));
    // Letters cannot come in by pasting either.
    QApplication::clipboard()->setText(u"abc"_qs);
    QTest::keyClick(mass, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(mass->text(), shown.chopped(1));
}

void TestProducts::massStoredExactly()
{
    Plant plant;
    ProductStore store(plant.dm);
    ProductCard card(plant.dm, store, nullptr);
    MessageLog log;
    card.startAdd();
    child<QLineEdit>(&card, u"Edit1"_qs)->setText(u"Точная"_qs);
    // More digits than a double holds: only decimal text keeps them all.
    test::typeText(child<QLineEdit>(&card, u"Edit2"_qs), u"123456789012,123456"_qs);
    chooseGroup(&card, 304);
    child(&card, u"Button1"_qs)->click();
    QVERIFY(log.shown().isEmpty());
    QCOMPARE(plant.fresh.side().scalar(u"select massa::text from cmn_gds_and_srv.gds_and_srv where s_caption = 'Точная'"_qs).toString(),
             u"123456789012.123456"_qs);

    // A stored mass comes back into the box as a plain number.
    card.startChange(3001, u" СТЕЛЛАЖ "_qs, u"12.500000"_qs, 301);
    QCOMPARE(child<QLineEdit>(&card, u"Edit1"_qs)->text(), u"СТЕЛЛАЖ"_qs);
    QCOMPARE(child<QLineEdit>(&card, u"Edit2"_qs)->text(), u"12.5"_qs);
    child(&card, u"Button1"_qs)->click();
    QVERIFY(log.shown().isEmpty());
    QCOMPARE(plant.fresh.side().scalar(u"select massa::text from cmn_gds_and_srv.gds_and_srv where id = 3001"_qs).toString(),
             u"12.500000"_qs);
}

void TestProducts::groupLookupOffersGroupsInUse()
{
    Plant plant;
    ProductStore store(plant.dm);
    ProductCard card(plant.dm, store, nullptr);
    auto* cb = child<QComboBox>(&card, u"cb_item"_qs);
    card.startAdd();
    QCOMPARE(comboTexts(cb), (QStringList{u"Болты"_qs, u"Стеллажи"_qs, u"Шкафы"_qs}));
    QCOMPARE(cb->currentIndex(), -1);
    QVERIFY(card.groups().isOpen());
    chooseGroup(&card, 303);
    card.reject();
    QVERIFY(!card.groups().isOpen()); // open only while the card is

    // A group added in between shows up; the last choice stays.
    plant.fresh.side().exec(u"insert into cmn_classifier.item (id, s_caption) values (305, 'Анкеры')"_qs);
    card.startAdd();
    QCOMPARE(cb->count(), 4);
    QCOMPARE(cb->currentText(), u"Шкафы"_qs);
    card.reject();

    card.startChange(3001, u"СТЕЛЛАЖ"_qs, u"12.5"_qs, 301);
    QCOMPARE(cb->currentText(), u"Стеллажи"_qs);
    card.reject();
    // A product of a group no longer in use opens with no group chosen.
    card.startChange(3007, u"Старое"_qs, u"5"_qs, 302);
    QCOMPARE(cb->currentIndex(), -1);
    card.reject();
}

void TestProducts::walkAddChangeSearchChooseDelete()
{
    Plant plant;
    ProductList list(plant.dm, nullptr);
    ResultSet& izdel = plant.dm.izdel();
    MessageLog log;
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        QCOMPARE(list.objectName(), u"Form3"_qs);
        QCOMPARE(list.windowTitle(), u"Изделия (3)"_qs);
        QCOMPARE(child(&list, u"Button2"_qs)->text(), u"Изменить"_qs);
        QVERIFY(child(&list, u"Button1"_qs)->isDefault());
        QVERIFY(!child(&list, u"Button2"_qs)->isDefault());
        QVERIFY(list.searchBox()->isVisible());
        const int total = izdel.rowCount();

        // Add: the cursor returns to the row number it had.
        QVERIFY(izdel.goToRow(2));
        onNextCard([](QDialog* card) {
            QCOMPARE(card->objectName(), u"Form7"_qs);
            QCOMPARE(card->windowTitle(), u"Заведение нового изделия (7)"_qs);
            QVERIFY(child<QLineEdit>(card, u"Edit1"_qs)->text().isEmpty());
            QVERIFY(child<QLineEdit>(card, u"Edit2"_qs)->text().isEmpty());
            test::typeText(child<QLineEdit>(card, u"Edit1"_qs), u"Лестница"_qs);
            test::typeText(child<QLineEdit>(card, u"Edit2"_qs), u"3,25"_qs);
            chooseGroup(card, 304);
            child(card, u"Button1"_qs)->click();
        });
        child(&list, u"Button1"_qs)->click();
        QCOMPARE(izdel.rowCount(), total + 1);
        QCOMPARE(izdel.rowNumber(), 2);
        QVERIFY(izdel.locate(u"marka"_qs, u"Лестница"_qs));
        QCOMPARE(izdel.value(u"nom"_qs).toString(), u"Болты"_qs);
        QCOMPARE(izdel.value(u"massa"_qs).toString(), u"3.250000"_qs);

        // Change by double-click: the card shows the trimmed brand.
        QVERIFY(izdel.locate(u"id"_qs, 3002));
        const int row = izdel.rowNumber();
        onNextCard([](QDialog* card) {
            QCOMPARE(card->windowTitle(), u"Изменение данных изделия (7)"_qs);
            QCOMPARE(child<QLineEdit>(card, u"Edit1"_qs)->text(), u"Шкаф Ш-1"_qs);
            auto* mass = child<QLineEdit>(card, u"Edit2"_qs);
            QCOMPARE(mass->text(), u"40"_qs);
            QCOMPARE(child<QComboBox>(card, u"cb_item"_qs)->currentText(), u"Шкафы"_qs);
            mass->setText(u"41.5"_qs);
            child(card, u"Button1"_qs)->click();
        });
        list.grid()->doubleClicked(list.grid()->currentIndex());
        QCOMPARE(izdel.rowNumber(), row);
        QCOMPARE(izdel.value(u"massa"_qs).toString(), u"41.500000"_qs);
        QCOMPARE(izdel.value(u"marka"_qs).toString(), u"Шкаф Ш-1"_qs); // trimmed on saving

        // "Отмена" writes nothing.
        onNextCard([](QDialog* card) {
            child<QLineEdit>(card, u"Edit2"_qs)->setText(u"99"_qs);
            child(card, u"Button2"_qs)->click();
        });
        child(&list, u"Button2"_qs)->click();
        QCOMPARE(izdel.value(u"massa"_qs).toString(), u"41.500000"_qs);

        // Search: begins with, any case; caret keys act as usual here.
        SearchBox* search = list.searchBox();
        test::typeText(search, u"шф"_qs);
        QCOMPARE(izdel.rowCount(), 0);
        QTest::keyClick(search, Qt::Key_Left);
        test::typeText(search, u"к"_qs);
        QCOMPARE(search->text(), u"шкф"_qs);
        QTest::keyClick(search, Qt::Key_Delete);
        QCOMPARE(izdel.rowCount(), 1);
        QCOMPARE(izdel.value(u"id"_qs).toInt(), 3002);
        search->clear();
        QCOMPARE(izdel.rowCount(), total + 1);
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(izdel.rowNumber(), 2);

        // Delete the new product.
        QVERIFY(izdel.locate(u"marka"_qs, u"Лестница"_qs));
        child(&list, u"Button3"_qs)->click();
        QCOMPARE(izdel.rowCount(), total);
        test::typeText(search, u"Ш"_qs); // left for the chooser to clear
    });
    QCOMPARE(log.texts(), QStringList{kAskProduct});
    QVERIFY(!izdel.isOpen());
    QCOMPARE(plant.count(u"select count(*) from cmn_gds_and_srv.gds_and_srv where s_caption = 'Лестница'"_qs), 0);

    std::optional<Choice> choice;
    whileOpen(list, [&] { choice = list.choose(); }, [&] {
        QCOMPARE(child(&list, u"Button2"_qs)->text(), u"Выбрать"_qs);
        QVERIFY(child(&list, u"Button2"_qs)->isDefault());
        QVERIFY(child(&list, u"Button1"_qs)->isHidden());
        QVERIFY(child(&list, u"Button3"_qs)->isHidden());
        QVERIFY(list.searchBox()->isVisible());
        QVERIFY(list.searchBox()->text().isEmpty());
        QVERIFY(!izdel.isFiltered());
        test::typeText(list.searchBox(), u"шк"_qs);
        child(&list, u"Button2"_qs)->click();
    });
    QVERIFY(choice);
    QCOMPARE(choice->id, 3002);
    QCOMPARE(choice->name, u"Шкаф Ш-1"_qs);
    QVERIFY(!child(&list, u"Button2"_qs)->isDefault());
    QVERIFY(list.searchBox()->isHidden());
    QVERIFY(!izdel.isOpen());

    // Back to maintenance: everything as before the choice.
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        QCOMPARE(child(&list, u"Button2"_qs)->text(), u"Изменить"_qs);
        QVERIFY(child(&list, u"Button1"_qs)->isVisible());
        QVERIFY(child(&list, u"Button3"_qs)->isVisible());
        QVERIFY(child(&list, u"Button1"_qs)->isDefault());
        QVERIFY(list.searchBox()->isVisible());
    });
}

void TestProducts::reservedProductsUntouchable_data()
{
    QTest::addColumn<qint64>("id");
    QTest::addColumn<QString>("action");
    for (qint64 id : {7777, 7778}) {
        for (const char* action : {"change", "delete", "choose"})
            QTest::addRow("%lld %s", id, action) << id << QString::fromLatin1(action);
    }
}

void TestProducts::reservedProductsUntouchable()
{
    QFETCH(qint64, id);
    QFETCH(QString, action);
    Plant plant;
    ProductList list(plant.dm, nullptr);
    MessageLog log;
    bool cardShown = false;
    const bool choosing = action == u"choose"_qs;
    std::optional<Choice> choice;
    const int statements = [&] {
        int before = 0;
        whileOpen(list, [&] { if (choosing) choice = list.choose(); else list.openMaintenance(); }, [&] {
            QVERIFY(plant.dm.izdel().locate(u"id"_qs, id));
            test::whenModal([&](QWidget* w) { cardShown = true; static_cast<QDialog*>(w)->reject(); }, 300);
            before = plant.db.statementCount();
            child(&list, action == u"delete"_qs ? u"Button3"_qs : u"Button2"_qs)->click();
            QTest::qWait(400);
            before = plant.db.statementCount() - before;
        });
        return before;
    }();
    QVERIFY(!cardShown);
    QVERIFY(!choice);
    QVERIFY(log.shown().isEmpty());
    QCOMPARE(statements, 0);
    QCOMPARE(plant.products(id), 1);
    QCOMPARE(plant.operations(id), 1);
}

void TestProducts::deleteQuestions_data()
{
    QTest::addColumn<qint64>("id");
    QTest::addColumn<QString>("answers"); // Y / N in the order asked
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<int>("operations");
    QTest::addColumn<int>("shifts");
    QTest::addColumn<int>("product");
    QTest::newRow("nothing else, Yes") << qint64(3003) << u"Y"_qs << QStringList{kAskProduct} << 0 << 0 << 0;
    QTest::newRow("nothing else, No") << qint64(3003) << u"N"_qs << QStringList{kAskProduct} << 0 << 0 << 1;
    QTest::newRow("operations: Yes, Yes") << qint64(3004) << u"YY"_qs << QStringList{kAskOperations, kAskProduct} << 0 << 0 << 0;
    QTest::newRow("operations: No, Yes keeps them") << qint64(3004) << u"NY"_qs << QStringList{kAskOperations, kAskProduct} << 2 << 0 << 0;
    QTest::newRow("operations: Yes, No") << qint64(3004) << u"YN"_qs << QStringList{kAskOperations, kAskProduct} << 0 << 0 << 1;
    QTest::newRow("shift records: Yes") << qint64(3005) << u"Y"_qs << QStringList{kAskShifts} << 0 << 0 << 0;
    QTest::newRow("shift records: No") << qint64(3005) << u"N"_qs << QStringList{kAskShifts} << 0 << 2 << 1;
    QTest::newRow("both: No, Yes") << qint64(3006) << u"NY"_qs << QStringList{kAskOperations, kAskShifts} << 1 << 0 << 0;
    QTest::newRow("both: Yes, No") << qint64(3006) << u"YN"_qs << QStringList{kAskOperations, kAskShifts} << 0 << 1 << 1;
    QTest::newRow("shift records before 2000 are not counted") << qint64(3007) << u"Y"_qs << QStringList{kAskProduct} << 0 << 1 << 0;
}

void TestProducts::deleteQuestions()
{
    QFETCH(qint64, id);
    QFETCH(QString, answers);
    QFETCH(QStringList, asked);
    QFETCH(int, operations);
    QFETCH(int, shifts);
    QFETCH(int, product);
    Plant plant;
    ProductList list(plant.dm, nullptr);
    MessageLog log;
    for (const QChar a : answers)
        log.answerNext(a == u'Y');
    const QString others = u"select (select count(*) from accounts_dep.oper where i_id <> :id)"
                           " + (select count(*) from accounts_dep.smena where i_id <> :id)"
                           " + (select count(*) from cmn_gds_and_srv.gds_and_srv where id <> :id)"_qs;
    const int othersBefore = plant.count(others, {{u"id"_qs, id}});
    int rowsAfter = -1;
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        QVERIFY(plant.dm.izdel().locate(u"id"_qs, id));
        child(&list, u"Button3"_qs)->click();
        rowsAfter = plant.dm.izdel().rowCount();
    });
    QCOMPARE(log.texts(), asked);
    for (const auto& shown : log.shown()) {
        QCOMPARE(shown.caption, u"Удаление"_qs);
        QCOMPARE(int(shown.icon), int(msg::Icon::Question));
    }
    QCOMPARE(plant.operations(id), operations);
    QCOMPARE(plant.shifts(id), shifts);
    QCOMPARE(plant.products(id), product);
    QCOMPARE(rowsAfter, plant.count(u"select count(*) from accounts_dep.izdel"_qs)); // re-read
    QCOMPARE(plant.count(others, {{u"id"_qs, id}}), othersBefore); // nothing of other products
}

void TestProducts::failedDeleteLeavesEverything()
{
    Plant plant;
    plant.fresh.side().execScript(uR"(
        create function pg_temp_guard() returns trigger language plpgsql as $$
        begin
            raise exception 'Изделие занято';
        end $$;
        create trigger keep_products before delete on cmn_gds_and_srv.gds_and_srv
            for each row execute function pg_temp_guard();
    )"_qs);
    ProductList list(plant.dm, nullptr);
    MessageLog log; // every question answered Yes
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        QVERIFY(plant.dm.izdel().locate(u"id"_qs, 3006));
        child(&list, u"Button3"_qs)->click();
        QVERIFY(list.isVisible()); // the error does not close the list
    });
    QCOMPARE(log.shown().size(), 3);
    QCOMPARE(log.shown().at(2).icon, msg::Icon::Error);
    QVERIFY2(log.shown().at(2).text.contains(u"Изделие занято"_qs), qPrintable(log.shown().at(2).text));
    QCOMPARE(plant.operations(3006), 1);
    QCOMPARE(plant.shifts(3006), 1);
    QCOMPARE(plant.products(3006), 1);
}

void TestProducts::shiftCheckCountsFromYear2000_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("since");
    QTest::newRow("January") << QDate(2026, 1, 15) << QDate(2000, 12, 1);
    QTest::newRow("February") << QDate(2026, 2, 1) << QDate(2000, 1, 1);
    QTest::newRow("December") << QDate(2031, 12, 31) << QDate(2000, 11, 1);
}

void TestProducts::shiftCheckCountsFromYear2000()
{
    QFETCH(QDate, today);
    QTEST(ProductStore::shiftCheckSince(today), "since");
}

void TestProducts::shiftCountIncludesTheDay()
{
    Plant plant;
    ProductStore store(plant.dm);
    QCOMPARE(store.shiftCount(3005, QDate(2000, 12, 1)), 2);
    QCOMPARE(store.shiftCount(3005, QDate(2000, 12, 2)), 1);
    QCOMPARE(store.shiftCount(3007, QDate(2000, 1, 1)), 0);
    QCOMPARE(store.operationCount(3004), 2);
}

void TestProducts::hostileBrandsStoredAndFound_data()
{
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("decoy");
    QTest::newRow("apostrophe") << u"O'Neil"_qs << u"ONeil"_qs;
    QTest::newRow("double quotes") << u"ООО \"Ромашка\""_qs << u"ООО Ромашка"_qs;
    QTest::newRow("percent") << u"50%"_qs << u"500 штук"_qs;
    QTest::newRow("backslashes") << u"C:\\temp\\"_qs << u"C:temp"_qs;
}

void TestProducts::hostileBrandsStoredAndFound()
{
    QFETCH(QString, brand);
    QFETCH(QString, decoy);
    Plant plant;
    plant.fresh.side().exec(u"insert into cmn_gds_and_srv.gds_and_srv (s_caption, massa, id_class_item) values (:b, 1, 301)"_qs,
                            {{u"b"_qs, decoy}});
    ProductList list(plant.dm, nullptr);
    MessageLog log;
    int found = -1;
    QString listed;
    const auto addBrand = [&] {
        onNextCard([&](QDialog* card) {
            test::typeText(child<QLineEdit>(card, u"Edit1"_qs), brand);
            test::typeText(child<QLineEdit>(card, u"Edit2"_qs), u"1"_qs);
            chooseGroup(card, 301);
            child(card, u"Button1"_qs)->click();
            if (card->isVisible())
                card->reject();
        });
        child(&list, u"Button1"_qs)->click();
    };
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        addBrand();
        test::typeText(list.searchBox(), brand);
        found = plant.dm.izdel().rowCount();
        listed = plant.dm.izdel().value(u"marka"_qs).toString();
        QVERIFY(log.shown().isEmpty());
        addBrand(); // the duplicate check sees it too
    });
    QCOMPARE(found, 1);
    QCOMPARE(listed, brand);
    QCOMPARE(log.texts(), QStringList{kDuplicate});
    QCOMPARE(plant.count(u"select count(*) from cmn_gds_and_srv.gds_and_srv where s_caption = :b"_qs, {{u"b"_qs, brand}}), 1);
}

QTEST_MAIN(TestProducts)
#include "tst_products.moc"
