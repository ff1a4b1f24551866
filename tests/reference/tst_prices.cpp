#include "reference/norm_editor.h"
#include "reference/price_card.h"
#include "reference/price_list.h"
#include "reference/vid_oper_list.h"
#include "reports/excel_export.h"
#include "support/spreadsheet.h"
#include "support/gui.h"
#include "support/test_database.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tabel;
using test::EnvScope;
using test::readWorkbook;
using test::buttonOf;
using test::onWindow;
using test::opensModal;
using tabel::test::FreshDatabase;
using tabel::test::MessageLog;

namespace {

using Outcome = PriceStore::Outcome;

// Products with awkward brands, two types and operations; 35 has no norm
// and so is not listed. Brands in list order: "50%", "500 штук", "O'Neil",
// then the Cyrillic ones.
struct Plant {
    FreshDatabase fresh;
    Database db{fresh.settings()};
    DataModule dm{db};
    Plant()
    {
        fresh.side().execScript(uR"(
            insert into cmn_classifier.item (id, s_caption) values (101, 'Стеллажи'), (102, 'Тележки');
            insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, id_class_item) values
                (1001, 'Стеллаж СТ-1', 101), (1002, 'O''Neil', 101), (1003, 'ООО "Ромашка"', 102),
                (1004, '50%', 102), (1005, '500 штук', 102);
            insert into accounts_dep.vid_oper (id, vid) values (20, 'Сварка'), (21, 'Резка');
            insert into accounts_dep.oper (id, vid, naimen, i_id, cena_new) values
                (30, 20, 0, 1001, 12.5), (31, 21, 1, 1001, 0), (32, 20, 0, 1002, 0),
                (33, 20, 0, 1004, 0), (34, 20, 0, 1005, 0), (35, 21, 0, 1003, 0);
            insert into accounts_dep.norm (o_id, norma, price, prize) values
                (30, 100, 10, 0), (30, 50, 12, 5), (31, 10, 2.675, 0), (32, 10, 0.8475, 0),
                (33, 5, 1, 0), (34, 5, 1, 0);
        )"_qs);
        db.open();
    }
    int count(const QString& sql, const Params& p = {}) { return fresh.side().scalar(sql, p).toInt(); }
    int norms(qint64 operId)
    {
        return count(u"select count(*) from accounts_dep.norm where o_id=:o"_qs, {{u"o"_qs, operId}});
    }
};




// Types into a cell of the norm grid the way the operator does and leaves
// the cell with Tab.
void typeIntoCell(QTableView* grid, int row, int column, const QString& text)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->setCurrentIndex(index);
    if (!grid->indexWidget(index)) // Tab out of the cell before opens the next one
        grid->edit(index);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
    QVERIFY2(editor, "no cell editor");
    editor->selectAll();
    test::typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Tab);
}

QString cell(QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

// A click, then the double-click: the press of the second click falls on
// the row the first one chose, as with a real mouse.
void doubleClickRow(QTableView* grid, int row)
{
    const QRect r = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}



} // namespace

class TestPrices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void shiftFactors_data();
    void shiftFactors();
    void operationRefusals_data();
    void operationRefusals();
    void reservedOperationsStay();
    void chooseHandsOverThePriceOfTheShift_data();
    void chooseHandsOverThePriceOfTheShift();
    void walkAddChangeSearchDelete();
    void newOperationGetsItsFirstNorm();
    void normTypedIntoEmptyFirstRow();
    void normCountFollowsAfterSave();
    void lastNormCannotBeDeleted();
    void lowerPriceFollowsInTheList();
    void priceFormat_data();
    void priceFormat();
    void badInputIsRefused_data();
    void badInputIsRefused();
    void excelExport();
};

void TestPrices::initTestCase()
{
    // The program runs with the Russian locale: decimal comma.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void TestPrices::shiftFactors_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("dayOff");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("expected");
    QTest::newRow("working day, shift 1") << "10.00" << false << 1 << "10.0000";
    QTest::newRow("working day, shift 2") << "10.00" << false << 2 << "10.0000";
    QTest::newRow("day off, shift 3") << "10.00" << true << 3 << "24.0000";
    QTest::newRow("day off, overtime: three times") << "10.00" << true << 4 << "30.0000";
    QTest::newRow("working day, overtime") << "2.675" << false << 4 << "4.0125";
    QTest::newRow("day off, overtime, 2.675") << "2.675" << true << 4 << "8.0250";
    QTest::newRow("shift 3, 0.8475") << "0.8475" << false << 3 << "1.0170";
    QTest::newRow("day off, shift 3, 0.8475") << "0.8475" << true << 3 << "2.0340";
    // The fifth decimal decides, half to even, on the exact digits.
    QTest::newRow("tie rounds to even, down") << "0.0375" << false << 4 << "0.0562";
    QTest::newRow("tie rounds to even, up") << "0.0125" << false << 4 << "0.0188";
    QTest::newRow("tie stays below in shift 1") << "0.04125" << false << 1 << "0.0412";
    QTest::newRow("tie in shift 3") << "0.00125" << false << 3 << "0.0015";
    // Where a double lands on the wrong side of the tie.
    QTest::newRow("1.0011 overtime, double says 1.5017") << "1.0011" << false << 4 << "1.5016";
    QTest::newRow("1.0021 overtime, double says 1.5031") << "1.0021" << false << 4 << "1.5032";
    QTest::newRow("0.8475 overtime, tie to even") << "0.8475" << false << 4 << "1.2712";
    QTest::newRow("zero") << "0" << true << 4 << "0.0000";
}

void TestPrices::shiftFactors()
{
    QFETCH(QString, price);
    QFETCH(bool, dayOff);
    QFETCH(int, shift);
    QFETCH(QString, expected);
    QCOMPARE(shiftPiecePrice(*Decimal::parse(price), dayOff, shift).toString(4), expected);
}

void TestPrices::operationRefusals_data()
{
    QTest::addColumn<qint64>("changing"); // 0 adds
    QTest::addColumn<qint64>("vid");
    QTest::addColumn<int>("naimen");
    QTest::addColumn<qint64>("izdel");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<qint64>("id"); // -1: a new operation

    const int saved = int(Outcome::Saved);
    const int duplicate = int(Outcome::Duplicate);
    QTest::newRow("same type, kind and product") << qint64(0) << qint64(20) << 0 << qint64(1001) << duplicate << qint64(0);
    QTest::newRow("another kind") << qint64(0) << qint64(20) << 1 << qint64(1001) << saved << qint64(-1);
    QTest::newRow("an earlier one without norms is found again")
        << qint64(0) << qint64(21) << 0 << qint64(1003) << int(Outcome::Unpriced) << qint64(35);
    QTest::newRow("change into another operation") << qint64(31) << qint64(20) << 0 << qint64(1001) << duplicate << qint64(31);
    QTest::newRow("change keeping its own fields") << qint64(31) << qint64(21) << 1 << qint64(1001) << saved << qint64(31);
    QTest::newRow("change of 7777") << qint64(7777) << qint64(21) << 0 << qint64(1005) << int(Outcome::Reserved) << qint64(7777);
    QTest::newRow("change of 7778") << qint64(7778) << qint64(21) << 0 << qint64(1005) << int(Outcome::Reserved) << qint64(7778);
}

void TestPrices::operationRefusals()
{
    QFETCH(qint64, changing);
    QFETCH(qint64, vid);
    QFETCH(int, naimen);
    QFETCH(qint64, izdel);
    QFETCH(int, outcome);
    QFETCH(qint64, id);
    Plant plant;
    PriceStore store(plant.dm);
    const auto table = [&] {
        return plant.fresh.side().scalar(
            u"select string_agg(id || ':' || vid || ':' || naimen || ':' || i_id || ':' || cena_new, ' ' order by id) from accounts_dep.oper"_qs).toString();
    };
    const QString before = table();
    const int operations = plant.count(u"select count(*) from accounts_dep.oper"_qs);
    const OperationFields f{vid, naimen, izdel};
    const PriceStore::Result r = changing ? store.change(changing, f) : store.add(f);
    QCOMPARE(int(r.outcome), outcome);
    if (id >= 0)
        QCOMPARE(r.id, id);
    if (r.outcome == Outcome::Saved && !changing) {
        QCOMPARE(plant.count(u"select count(*) from accounts_dep.oper"_qs), operations + 1);
        QCOMPARE(plant.count(u"select count(*) from accounts_dep.oper where id=:id and vid=:v and naimen=:n and i_id=:i and cena_new=0"_qs,
                             {{u"id"_qs, r.id}, {u"v"_qs, vid}, {u"n"_qs, naimen}, {u"i"_qs, izdel}}), 1);
    } else if (r.outcome != Outcome::Saved) {
        QCOMPARE(table(), before); // nothing written
    }
}

void TestPrices::reservedOperationsStay()
{
    Plant plant;
    ExcelExport excel;
    PriceList list(plant.dm, excel, nullptr);
    MessageLog log;
    bool cardOpened = true;
    onWindow(u"Form4"_qs, [&](QDialog*) {
        ResultSet& oper = plant.dm.oper();
        cardOpened = false;
        for (const qint64 id : {7777, 7778}) {
            QVERIFY(oper.locate(u"id"_qs, id));
            cardOpened = cardOpened || opensModal([&] { buttonOf(&list, u"Button2"_qs)->click(); });
            buttonOf(&list, u"Button3"_qs)->click();
        }
    });
    list.openMaintenance();
    QVERIFY(!cardOpened);
    QVERIFY(log.shown().isEmpty());

    bool stillOpen = false;
    onWindow(u"Form4"_qs, [&](QDialog*) {
        QVERIFY(plant.dm.oper().locate(u"id"_qs, 7777));
        buttonOf(&list, u"Button2"_qs)->click();
        stillOpen = list.isVisible();
    });
    QVERIFY(!list.choose(false, 1).has_value());
    QVERIFY(stillOpen);

    PriceStore store(plant.dm);
    QVERIFY(!store.remove(7777));
    QVERIFY(!store.remove(7778));
    QVERIFY(store.remove(35));
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.oper where id in (7777, 7778, 35)"_qs), 2);
}

void TestPrices::chooseHandsOverThePriceOfTheShift_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("listed"); // brands the search leaves
    QTest::addColumn<qint64>("operId");
    QTest::addColumn<bool>("dayOff");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("cena");
    QTest::addColumn<QString>("text");

    const QStringList stellage = {u"Стеллаж СТ-1"_qs, u"Стеллаж СТ-1"_qs};
    QTest::newRow("lowest of two norms, day off, shift 3")
        << QString() << QStringList() << qint64(30) << true << 3 << "24.0000" << u"Стеллаж СТ-1; Сварка; Готовая продукция"_qs;
    QTest::newRow("lowest of two norms, working day, shift 1")
        << QString() << QStringList() << qint64(30) << false << 1 << "10.0000" << u"Стеллаж СТ-1; Сварка; Готовая продукция"_qs;
    QTest::newRow("contains, any letter case")
        << u"ст-1"_qs << stellage << qint64(31) << true << 4 << "8.0250" << u"Стеллаж СТ-1; Резка; Заготовки"_qs;
    QTest::newRow("percent sign is a plain character")
        << u"0%"_qs << QStringList{u"50%"_qs} << qint64(33) << false << 3 << "1.2000" << u"50%; Сварка; Готовая продукция"_qs;
    QTest::newRow("quote") << u"'n"_qs << QStringList{u"O'Neil"_qs} << qint64(32) << false << 3 << "1.0170"
                           << u"O'Neil; Сварка; Готовая продукция"_qs;
}

void TestPrices::chooseHandsOverThePriceOfTheShift()
{
    QFETCH(QString, search);
    QFETCH(QStringList, listed);
    QFETCH(qint64, operId);
    QFETCH(bool, dayOff);
    QFETCH(int, shift);
    QFETCH(QString, cena);
    QFETCH(QString, text);
    Plant plant;
    ExcelExport excel;
    PriceList list(plant.dm, excel, nullptr);
    ResultSet& oper = plant.dm.oper();
    QStringList seen;
    QString buttonText;
    bool hidden = false;
    onWindow(u"Form4"_qs, [&](QDialog*) {
        buttonText = buttonOf(&list, u"Button2"_qs)->text();
        hidden = !buttonOf(&list, u"Button1"_qs)->isVisible() && !buttonOf(&list, u"Button3"_qs)->isVisible();
        test::typeText(list.searchBox(), search);
        for (int r = 0; !search.isEmpty() && r < oper.rowCount(); ++r)
            seen << oper.value(r, u"marka"_qs).toString();
        QVERIFY(oper.locate(u"id"_qs, operId));
        buttonOf(&list, u"Button2"_qs)->click();
    });
    const std::optional<PriceChoice> c = list.choose(dayOff, shift);
    QCOMPARE(buttonText, u"Выбрать"_qs);
    QVERIFY(hidden);
    QCOMPARE(seen, listed);
    QVERIFY(c.has_value());
    QCOMPARE(c->operId, operId);
    QCOMPARE(c->izdelId, oper.value(u"i_id"_qs).toLongLong());
    QCOMPARE(c->naimen, oper.value(u"naimen"_qs).toInt());
    QCOMPARE(c->cena.toString(4), cena);
    QCOMPARE(c->operationText, text);
    // The position dialog goes on with Oper: open, unfiltered, on the choice.
    QVERIFY(oper.isOpen());
    QVERIFY(!oper.isFiltered());
    QCOMPARE(oper.value(u"id"_qs).toLongLong(), operId);
}

void TestPrices::walkAddChangeSearchDelete()
{
    Plant plant;
    ExcelExport excel;
    PriceList list(plant.dm, excel, nullptr);
    PriceCard* card = list.card();
    card->chooseProduct = [] { return std::optional<Choice>(Choice{1005, u"  500 штук "_qs}); };
    MessageLog log;
    ResultSet& oper = plant.dm.oper();
    QStringList captions;
    QList<bool> closed;
    QStringList prefilled;
    QStringList searched;
    QString normEditorCaption;
    int rowsBefore = 0, rowsAfterDelete = 0;

    // Presses "Записать" and tells whether the card closed.
    const auto save = [](QDialog* d) {
        buttonOf(d, u"Button1"_qs)->click();
        return !d->isVisible();
    };
    onWindow(u"Form4"_qs, [&](QDialog*) {
        rowsBefore = oper.rowCount();
        // Add with nothing chosen: refused.
        onWindow(u"Form10"_qs, [&](QDialog* d) {
            captions << d->windowTitle();
            closed << save(d);
        });
        buttonOf(&list, u"Button1"_qs)->click();

        // Add "500 штук; Резка; Заготовки": the product through its hook,
        // the type from the operation type list; the norm editor follows.
        onWindow(u"Form10"_qs, [&](QDialog* d) {
            buttonOf(d, u"Button3"_qs)->click();
            onWindow(u"Form8"_qs, [&](QDialog* types) {
                QVERIFY(plant.dm.vidOper().locate(u"vid"_qs, u"Резка"_qs));
                buttonOf(types, u"Button2"_qs)->click();
            });
            buttonOf(d, u"Button4"_qs)->click();
            d->findChild<QComboBox*>(u"ComboBox1"_qs)->setCurrentIndex(1);
            prefilled << d->findChild<QLineEdit*>(u"Edit1"_qs)->text() << d->findChild<QLineEdit*>(u"Edit2"_qs)->text();
            onWindow(u"Form22"_qs, [&](QDialog* norms) {
                normEditorCaption = norms->windowTitle();
                auto* grid = norms->findChild<QTableView*>(u"DBGrid1"_qs);
                typeIntoCell(grid, 0, 0, u"120"_qs);
                typeIntoCell(grid, 0, 1, u"3,5"_qs);
                buttonOf(norms, u"Button1"_qs)->click();
            });
            closed << save(d);
        });
        buttonOf(&list, u"Button1"_qs)->click();
        const qint64 added = oper.value(u"id"_qs).toLongLong(); // the list stands on it
        QCOMPARE(oper.value(u"marka"_qs).toString(), u"500 штук"_qs);
        QCOMPARE(oper.value(u"nmn"_qs).toString(), u"Заготовки"_qs);
        QCOMPARE(oper.value(u"cena"_qs).toString(), u"3.5"_qs);

        // Change it into an operation that exists: refused, the card stays.
        onWindow(u"Form10"_qs, [&](QDialog* d) {
            captions << d->windowTitle();
            prefilled << d->findChild<QLineEdit*>(u"Edit1"_qs)->text() << d->findChild<QLineEdit*>(u"Edit2"_qs)->text()
                      << d->findChild<QComboBox*>(u"ComboBox1"_qs)->currentText();
            onWindow(u"Form8"_qs, [&](QDialog* types) {
                QVERIFY(plant.dm.vidOper().locate(u"vid"_qs, u"Сварка"_qs));
                buttonOf(types, u"Button2"_qs)->click();
            });
            buttonOf(d, u"Button4"_qs)->click();
            d->findChild<QComboBox*>(u"ComboBox1"_qs)->setCurrentIndex(0);
            closed << save(d);
            // Blanks: "Заготовки" of "Сварка" is free.
            d->findChild<QComboBox*>(u"ComboBox1"_qs)->setCurrentIndex(1);
            closed << save(d);
        });
        doubleClickRow(list.grid(), oper.rowNumber() - 1); // "Цены" not ticked: the card
        QVERIFY(oper.locate(u"id"_qs, added));
        QCOMPARE(oper.value(u"vid"_qs).toString(), u"Сварка"_qs);
        QCOMPARE(oper.value(u"nmn"_qs).toString(), u"Заготовки"_qs);

        // "Цены" ticked: a double-click opens the norm editor.
        list.findChild<QCheckBox*>(u"CheckBox1"_qs)->setChecked(true);
        onWindow(u"Form22"_qs, [&](QDialog* d) { captions << d->windowTitle(); });
        doubleClickRow(list.grid(), oper.rowNumber() - 1);

        // Search: brands containing the text.
        test::typeText(list.searchBox(), u"00 ш"_qs);
        for (int r = 0; r < oper.rowCount(); ++r)
            searched << oper.value(r, u"marka"_qs).toString() + u'/' + oper.value(r, u"vid"_qs).toString();

        // Delete: No keeps it, Yes deletes the current one.
        QVERIFY(oper.locate(u"id"_qs, added));
        log.answerNext(false);
        buttonOf(&list, u"Button3"_qs)->click();
        buttonOf(&list, u"Button3"_qs)->click();
        list.searchBox()->clear();
        rowsAfterDelete = oper.rowCount();
    });
    list.openMaintenance();

    QCOMPARE(captions, (QStringList{u"Заведение новой цены за операцию"_qs, u"Изменение данных о цене за операцию"_qs,
                                    u"Норматив"_qs}));
    QCOMPARE(normEditorCaption, u"Норматив"_qs);
    QCOMPARE(closed, (QList<bool>{false, true, false, true}));
    QCOMPARE(prefilled, (QStringList{u"500 штук"_qs, u"Резка"_qs, u"500 штук"_qs, u"Резка"_qs, u"Заготовки"_qs}));
    QCOMPARE(searched, (QStringList{u"500 штук/Сварка"_qs, u"500 штук/Сварка"_qs}));
    QCOMPARE(rowsAfterDelete, rowsBefore);
    QCOMPARE(log.texts(), (QStringList{u"Все поля должны быть заполнены!"_qs,
                                       u"Операция с такими параметрами уже заведена!"_qs, u"Удалить операцию?"_qs,
                                       u"Удалить операцию?"_qs}));
    QCOMPARE(log.shown().at(1).caption, u"Ошибка"_qs);
    QCOMPARE(log.shown().at(2).caption, u"Удаление"_qs);
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.oper where i_id=1005"_qs), 1);
    // Its norm was not deleted with it.
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.norm where norma=120 and price=3.5"_qs), 1);
    QVERIFY(!oper.isOpen());
}

void TestPrices::newOperationGetsItsFirstNorm()
{
    // An operation saved without norms: adding it again brings up its norm
    // editor instead of a refusal. Closing that with the close box leaves it
    // unlisted, as before.
    Plant plant;
    ExcelExport excel;
    PriceList list(plant.dm, excel, nullptr);
    list.card()->chooseProduct = [] { return std::optional<Choice>(Choice{1003, u"ООО \"Ромашка\""_qs}); };
    list.card()->chooseOperationType = [] { return std::optional<Choice>(Choice{21, u"Резка"_qs}); };
    MessageLog log;
    ResultSet& oper = plant.dm.oper();
    qint64 editing = 0;
    bool listedAfterClose = true, listedAfterNorm = false;
    const auto addAgain = [&](const std::function<void(NormEditor*)>& inEditor) {
        onWindow(u"Form10"_qs, [&](QDialog* d) {
            buttonOf(d, u"Button3"_qs)->click();
            buttonOf(d, u"Button4"_qs)->click();
            onWindow(u"Form22"_qs, [&](QDialog* e) {
                editing = list.normEditor()->operationId();
                inEditor(static_cast<NormEditor*>(e));
            });
            buttonOf(d, u"Button1"_qs)->click();
        });
        buttonOf(&list, u"Button1"_qs)->click();
    };
    onWindow(u"Form4"_qs, [&](QDialog*) {
        addAgain([](NormEditor* e) { e->reject(); }); // the close box
        listedAfterClose = oper.locate(u"id"_qs, 35);
        addAgain([](NormEditor* e) {
            typeIntoCell(e->grid(), 0, 1, u"7,25"_qs);
            QTest::keyClick(e, Qt::Key_Escape); // Esc is "Сохранить"
        });
        listedAfterNorm = oper.value(u"id"_qs).toLongLong() == 35;
    });
    list.openMaintenance();
    QCOMPARE(editing, qint64(35));
    QVERIFY(!listedAfterClose);
    QVERIFY(listedAfterNorm);
    QVERIFY(log.shown().isEmpty());
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.oper where i_id=1003"_qs), 1);
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.norm where o_id=35 and price=7.25 and norma=0"_qs), 1);
}

void TestPrices::normTypedIntoEmptyFirstRow()
{
    Plant plant;
    NormEditor editor(plant.dm, nullptr);
    editor.load(35);
    QTableView* grid = editor.grid();
    QStringList firstRow;
    int rows = 0;
    onWindow(u"Form22"_qs, [&](QDialog*) {
        QCOMPARE(grid->model()->rowCount(), 1); // just the empty row
        typeIntoCell(grid, 0, 0, u"120"_qs);
        typeIntoCell(grid, 0, 2, u"15"_qs);
        for (int c = 0; c < 3; ++c)
            firstRow << cell(grid, 0, c);
        rows = grid->model()->rowCount();
        buttonOf(&editor, u"Button1"_qs)->click();
    });
    showModal(&editor, nullptr);
    QCOMPARE(firstRow, (QStringList{u"120"_qs, u"0,00"_qs, u"15"_qs}));
    QCOMPARE(rows, 2); // the norm and a fresh empty row
    QCOMPARE(plant.count(u"select count(*) from accounts_dep.norm where o_id=35 and norma=120 and prize=15 and price=0"_qs), 1);
    QCOMPARE(plant.norms(35), 1);
    // "Сохранить" re-read the price list: the operation is listed now.
    QVERIFY(plant.dm.oper().locate(u"id"_qs, 35));
    QCOMPARE(plant.dm.oper().value(u"norma"_qs).toInt(), 1);
}

void TestPrices::normCountFollowsAfterSave()
{
    Plant plant;
    ExcelExport excel;
    PriceList list(plant.dm, excel, nullptr);
    ResultSet& oper = plant.dm.oper();
    int row = 0, rowAfter = 0;
    QString countAfter;
    QStringList order;
    onWindow(u"Form4"_qs, [&](QDialog*) {
        list.findChild<QCheckBox*>(u"CheckBox1"_qs)->setChecked(true);
        QVERIFY(oper.locate(u"id"_qs, 30));
        row = oper.rowNumber();
        QCOMPARE(oper.value(u"norma"_qs).toInt(), 2);
        onWindow(u"Form22"_qs, [&](QDialog* d) {
            QTableView* grid = static_cast<NormEditor*>(d)->grid();
            // Norms in norm order, then the empty row.
            typeIntoCell(grid, 2, 0, u"75"_qs);
            for (int r = 0; r < grid->model()->rowCount(); ++r)
                order << cell(grid, r, 0);
            buttonOf(d, u"Button1"_qs)->click();
        });
        doubleClickRow(list.grid(), row - 1);
        rowAfter = oper.rowNumber();
        countAfter = cell(list.grid(), row - 1, 5);
    });
    list.openMaintenance();
    QCOMPARE(order, (QStringList{u"50"_qs, u"75"_qs, u"100"_qs, QString()}));
    QCOMPARE(rowAfter, row);
    QCOMPARE(countAfter, u"3"_qs);
    QCOMPARE(plant.norms(30), 3);
}

void TestPrices::lastNormCannotBeDeleted()
{
    Plant plant;
    NormEditor editor(plant.dm, nullptr);
    editor.load(30);
    QList<int> left;
    onWindow(u"Form22"_qs, [&](QDialog*) {
        editor.grid()->setCurrentIndex(editor.grid()->model()->index(1, 1));
        for (int i = 0; i < 3; ++i) {
            buttonOf(&editor, u"Button2"_qs)->click();
            left << plant.norms(30);
        }
        left << editor.grid()->model()->rowCount() - 1;
    });
    showModal(&editor, nullptr);
    QCOMPARE(left, (QList<int>{1, 1, 1, 1}));
    // The current (second) norm went; the first stayed.
    QCOMPARE(plant.count(u"select norma from accounts_dep.norm where o_id=30"_qs), 50);
    // The empty row is no norm: nothing to delete there.
    plant.fresh.side().exec(u"insert into accounts_dep.norm (o_id, norma, price) values (30, 70, 11)"_qs);
    editor.load(30);
    editor.grid()->setCurrentIndex(editor.grid()->model()->index(2, 0));
    onWindow(u"Form22"_qs, [&](QDialog*) { buttonOf(&editor, u"Button2"_qs)->click(); });
    showModal(&editor, nullptr);
    QCOMPARE(plant.norms(30), 2);
}

void TestPrices::lowerPriceFollowsInTheList()
{
    Plant plant;
    ExcelExport excel;
    PriceList list(plant.dm, excel, nullptr);
    ResultSet& oper = plant.dm.oper();
    QString before, after;
    onWindow(u"Form4"_qs, [&](QDialog*) {
        list.findChild<QCheckBox*>(u"CheckBox1"_qs)->setChecked(true);
        QVERIFY(oper.locate(u"id"_qs, 30));
        const int row = oper.rowNumber() - 1;
        before = cell(list.grid(), row, 3);
        onWindow(u"Form22"_qs, [&](QDialog* d) {
            typeIntoCell(static_cast<NormEditor*>(d)->grid(), 0, 1, u"7,5"_qs); // the norm priced 12
            buttonOf(d, u"Button1"_qs)->click();
        });
        doubleClickRow(list.grid(), row);
        after = cell(list.grid(), row, 3);
    });
    list.openMaintenance();
    QCOMPARE(before, u"10"_qs);
    QCOMPARE(after, u"7,5"_qs);
}

void TestPrices::priceFormat_data()
{
    QTest::addColumn<double>("price");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two decimals at least") << 12.5 << u"12,50"_qs;
    QTest::newRow("three when there are") << 12.125 << u"12,125"_qs;
    QTest::newRow("whole") << 3.0 << u"3,00"_qs;
    QTest::newRow("below one") << 0.8475 << u"0,848"_qs;
    QTest::newRow("at most three") << 2.6754 << u"2,675"_qs;
    QTest::newRow("zero") << 0.0 << u"0,00"_qs;
}

void TestPrices::priceFormat()
{
    QFETCH(double, price);
    QFETCH(QString, shown);
    QCOMPARE(NormEditor::priceText(price), shown);
    // And so in the grid.
    Plant plant;
    plant.fresh.side().exec(u"update accounts_dep.norm set price=:p where o_id=31"_qs, {{u"p"_qs, price}});
    NormEditor editor(plant.dm, nullptr);
    editor.load(31);
    QCOMPARE(cell(editor.grid(), 0, 1), shown);
}

void TestPrices::badInputIsRefused_data()
{
    QTest::addColumn<int>("row"); // 1 is the empty new row
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString norma = u"В поле «Норматив» должно быть целое число."_qs;
    const QString price = u"В поле «Цена» должно быть число, например 12,50."_qs;
    const QString prize = u"В поле «Премия, %» должно быть целое число."_qs;
    QTest::newRow("letters as a norm") << 0 << 0 << u"сто"_qs << norma;
    QTest::newRow("fraction as a norm") << 0 << 0 << u"1,5"_qs << norma;
    QTest::newRow("norm too large") << 0 << 0 << u"99999999999"_qs << norma;
    QTest::newRow("letters as a price") << 0 << 1 << u"12р"_qs << price;
    QTest::newRow("two commas") << 0 << 1 << u"1,2,3"_qs << price;
    QTest::newRow("cleared price") << 0 << 1 << u" "_qs << price;
    QTest::newRow("percent sign in the bonus") << 0 << 2 << u"5%"_qs << prize;
    QTest::newRow("letters into the new row") << 1 << 1 << u"abc"_qs << price;
}

void TestPrices::badInputIsRefused()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Plant plant;
    MessageLog log;
    NormEditor editor(plant.dm, nullptr);
    editor.load(31);
    const auto table = [&] {
        return plant.fresh.side().scalar(u"select string_agg(id || ':' || norma || ':' || price || ':' || prize, ' ') from accounts_dep.norm"_qs).toString();
    };
    const QString before = table();
    QStringList shown;
    onWindow(u"Form22"_qs, [&](QDialog*) {
        typeIntoCell(editor.grid(), row, column, typed);
        for (int c = 0; c < 3; ++c)
            shown << cell(editor.grid(), 0, c);
        buttonOf(&editor, u"Button1"_qs)->click();
    });
    showModal(&editor, nullptr);
    QCOMPARE(log.texts(), QStringList{message});
    QCOMPARE(log.shown().at(0).caption, u"Ошибка"_qs);
    QCOMPARE(table(), before);
    QCOMPARE(shown, (QStringList{u"10"_qs, u"2,675"_qs, u"0"_qs}));
}

void TestPrices::excelExport()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    EnvScope folder("TABEL_EXPORT_DIR", dir.path().toUtf8());
    EnvScope noOpen("TABEL_NO_OPEN", "1");
    Plant plant;
    ExcelExport excel;
    PriceList list(plant.dm, excel, nullptr);
    MessageLog log;
    onWindow(u"Form4"_qs, [&](QDialog*) { buttonOf(&list, u"Button5"_qs)->click(); });
    list.openMaintenance();
    QVERIFY(log.shown().isEmpty());
    QVERIFY(!excel.lastSavedFile().isEmpty());
    const QJsonObject book = readWorkbook(excel.lastSavedFile());
    const QJsonObject cells = book[u"cells"_qs].toObject();
    QVERIFY(!cells.isEmpty());

    // Every operation, with or without norms, priced by cena_new; the
    // reserved ones too.
    const QList<QStringList> expected = {
        {u"Марка"_qs, u"Операция"_qs, u"Цена"_qs, u"Вид"_qs},
        {u"50%"_qs, u"Сварка"_qs, u"0"_qs, u"Готовая продукция"_qs},
        {u"500 штук"_qs, u"Сварка"_qs, u"0"_qs, u"Готовая продукция"_qs},
        {u"O'Neil"_qs, u"Сварка"_qs, u"0"_qs, u"Готовая продукция"_qs},
        {u"Бригада"_qs, u"Бригада"_qs, u"0"_qs, u"Готовая продукция"_qs},
        {u"ООО \"Ромашка\""_qs, u"Резка"_qs, u"0"_qs, u"Готовая продукция"_qs},
        {u"Оператор покраски"_qs, u"Оператор покраски"_qs, u"0"_qs, u"Готовая продукция"_qs},
        {u"Подсобный рабочий"_qs, u"Подсобный рабочий"_qs, u"0"_qs, u"Готовая продукция"_qs},
        {u"Ср. сдельная"_qs, u"Ср. сдельная"_qs, u"0"_qs, u"Готовая продукция"_qs},
        {u"Стеллаж СТ-1"_qs, u"Резка"_qs, u"0"_qs, u"Заготовки"_qs},
        {u"Стеллаж СТ-1"_qs, u"Сварка"_qs, u"12.5"_qs, u"Готовая продукция"_qs},
        {u"Хоз. работы"_qs, u"Хоз. работы"_qs, u"0"_qs, u"Готовая продукция"_qs},
    };
    QList<QStringList> actual;
    for (int r = 1; r <= expected.size() + 1; ++r) {
        QStringList line;
        for (int c = 1; c <= 4; ++c)
            line << cells[u"%1,%2"_qs.arg(c).arg(r)].toObject()[u"value"_qs].toString();
        if (line.join(QString()).isEmpty())
            break;
        actual << line;
    }
    QCOMPARE(actual, expected);
    // The price is a number, the brand "50%" stays text.
    QCOMPARE(cells[u"3,11"_qs].toObject()[u"type"_qs].toString(), u"number"_qs);
    QCOMPARE(cells[u"1,2"_qs].toObject()[u"type"_qs].toString(), u"text"_qs);
    QCOMPARE(plant.dm.oper().isOpen(), false);
}

QTEST_MAIN(TestPrices)
#include "tst_prices.moc"
