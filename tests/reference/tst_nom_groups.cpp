#include "reference/nom_group_card.h"
#include "reference/nom_group_list.h"
#include "support/gui.h"
#include "support/test_database.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tabel;
using test::buttonOf;
using test::whileOpen;
using test::onNextCard;
using tabel::test::FreshDatabase;
using tabel::test::MessageLog;

namespace {

// Groups with every kind of dependent row. In list order (by name):
// Архив (not used), Болты, Ремонт, Служебная (reserved, not used),
// Стеллажи, Трубы, Шкафы.
struct Plant {
    FreshDatabase fresh;
    Database db{fresh.settings()};
    DataModule dm{db};
    Plant()
    {
        fresh.side().execScript(uR"(
            insert into cmn_classifier.item (id, s_caption, b_excluded) values
                (201, 'Болты', 0), (202, 'Стеллажи', 0), (203, 'Ремонт', 0),
                (204, 'Архив', 1), (205, 'Шкафы', 0), (206, 'Трубы  ', 0);
            insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, massa, id_class_item) values
                (2001, 'Стеллаж СТ-1', 12.5, 202), (2002, 'Шкаф Ш-1', 40, 205);
            insert into accounts_dep.fatigue (id_nom, d_date) values (203, '2026-03-02'), (203, '2026-03-03'), (205, '2026-03-03');
            insert into accounts_dep.smena (i_id, data) values (2002, '2026-03-02'), (2002, '2026-03-03'), (2002, '1999-01-01');
        )"_qs);
        db.open();
    }
    int count(const QString& sql) { return fresh.side().scalar(sql).toInt(); }
};




void key(QWidget* w, Qt::Key k)
{
    QTest::keyClick(w, k);
}

} // namespace

class TestNomGroups : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dependentsCounted_data();
    void dependentsCounted();
    void deleteRefusesDependentRows_data();
    void deleteRefusesDependentRows();
    void walkAddChangeSearchDelete();
    void chooserHidesUnusedUntilSearch();
    void emptyNameRefused();
    void hostileNamesStoredAndFound_data();
    void hostileNamesStoredAndFound();
    void emptyListDoesNothing();
};

void TestNomGroups::dependentsCounted_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("products");
    QTest::addColumn<int>("maintenance");
    QTest::addColumn<int>("shifts");
    QTest::newRow("free") << 201 << 0 << 0 << 0;
    QTest::newRow("one product") << 202 << 1 << 0 << 0;
    QTest::newRow("maintenance records only") << 203 << 0 << 2 << 0;
    QTest::newRow("product with shift records of any date") << 205 << 1 << 1 << 3;
}

void TestNomGroups::dependentsCounted()
{
    QFETCH(int, id);
    Plant plant;
    NomGroupStore store(plant.db);
    const auto d = store.dependents(id);
    QTEST(d.products, "products");
    QTEST(d.maintenance, "maintenance");
    QTEST(d.shifts, "shifts");
}

void TestNomGroups::deleteRefusesDependentRows_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("deleted");
    const int error = int(msg::Icon::Error);
    const int question = int(msg::Icon::Question);
    const QString products = u"В номенклатурной группе есть изделия."_qs;
    const QString operations = u"В номенклатурной группе есть операции."_qs;
    const QString ask = u"Удалить позицию из списка?"_qs;
    QTest::newRow("one product") << 202 << true << products << error << false;
    QTest::newRow("products come before shift and maintenance records") << 205 << true << products << error << false;
    QTest::newRow("maintenance records") << 203 << true << operations << error << false;
    QTest::newRow("free, answered No") << 201 << false << ask << question << false;
    QTest::newRow("free, answered Yes") << 201 << true << ask << question << true;
    QTest::newRow("not used, answered Yes") << 204 << true << ask << question << true;
}

void TestNomGroups::deleteRefusesDependentRows()
{
    QFETCH(int, id);
    QFETCH(bool, answer);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(bool, deleted);
    Plant plant;
    NomGroupList list(plant.dm, nullptr);
    MessageLog log;
    log.answerNext(answer);
    int rowBefore = -1;
    int rowAfter = -1;
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        QVERIFY(list.groups().locate(u"id"_qs, id));
        rowBefore = list.groups().rowNumber();
        buttonOf(&list, u"Button1"_qs)->click();
        rowAfter = list.groups().rowNumber();
    });
    QCOMPARE(log.texts(), QStringList{message});
    QCOMPARE(int(log.shown().at(0).icon), icon);
    QCOMPARE(log.shown().at(0).caption, u"Удаление"_qs);
    QCOMPARE(plant.count(u"select count(*) from cmn_classifier.item where id = %1"_qs.arg(id)), deleted ? 0 : 1);
    QCOMPARE(rowAfter, rowBefore); // re-read or not, the cursor keeps its row number
    QCOMPARE(plant.count(u"select count(*) from cmn_gds_and_srv.gds_and_srv"_qs), 7); // products are never touched
}

void TestNomGroups::walkAddChangeSearchDelete()
{
    Plant plant;
    NomGroupList list(plant.dm, nullptr);
    MessageLog log;
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        ResultSet& groups = list.groups();
        QCOMPARE(list.objectName(), u"Form26"_qs);
        QCOMPARE(list.windowTitle(), u"Номенклатура (26)"_qs);
        QCOMPARE(buttonOf(&list, u"Button3"_qs)->text(), u"Изменить"_qs);
        QVERIFY(!list.grid()->isColumnHidden(1));
        QCOMPARE(groups.rowCount(), 7);

        // Add: the new row has just a name and the mark, and is a group.
        QVERIFY(groups.goToRow(3));
        onNextCard([](QDialog* card) {
            QCOMPARE(card->objectName(), u"Form29"_qs);
            QCOMPARE(card->windowTitle(), u"Ведение групп (29)"_qs);
            auto* name = card->findChild<QLineEdit*>(u"Edit1"_qs);
            QVERIFY(name->text().isEmpty());
            QVERIFY(!card->findChild<QCheckBox*>(u"CheckBox1"_qs)->isChecked());
            test::typeText(name, u"  Гайки "_qs);
            buttonOf(card, u"Button1"_qs)->click();
        });
        buttonOf(&list, u"Button2"_qs)->click();
        QCOMPARE(groups.rowCount(), 8);
        QCOMPARE(groups.rowNumber(), 3); // back on the row it was on, not on the new group
        QVERIFY(groups.locate(u"s_caption"_qs, u"Гайки"_qs));

        // Change a group that is not used: the card shows the mark ticked.
        QVERIFY(groups.locate(u"id"_qs, 204));
        QCOMPARE(groups.value(u"s_excl"_qs).toString(), u"V"_qs);
        const int row = groups.rowNumber();
        onNextCard([](QDialog* card) {
            auto* name = card->findChild<QLineEdit*>(u"Edit1"_qs);
            auto* excluded = card->findChild<QCheckBox*>(u"CheckBox1"_qs);
            QCOMPARE(name->text(), u"Архив"_qs);
            QVERIFY(excluded->isChecked());
            excluded->setChecked(false);
            name->setText(u"Архив старый"_qs);
            buttonOf(card, u"Button1"_qs)->click();
        });
        list.grid()->doubleClicked(list.grid()->currentIndex());
        QCOMPARE(groups.rowNumber(), row);
        QCOMPARE(groups.value(u"s_caption"_qs).toString(), u"Архив старый"_qs);
        QCOMPARE(groups.value(u"s_excl"_qs).toString(), u""_qs);

        // A card closed without saving writes nothing.
        onNextCard([](QDialog* card) {
            card->findChild<QLineEdit*>(u"Edit1"_qs)->setText(u"Не то"_qs);
            buttonOf(card, u"Button6"_qs)->click();
        });
        buttonOf(&list, u"Button3"_qs)->click();

        // Search: begins with, any letter case; caret keys do nothing,
        // Up and Down move the grid.
        SearchBox* search = list.searchBox();
        test::typeText(search, u"с"_qs);
        QCOMPARE(groups.rowCount(), 2); // Служебная, Стеллажи
        key(search, Qt::Key_Left);
        test::typeText(search, u"т"_qs);
        QCOMPARE(search->text(), u"ст"_qs);
        QCOMPARE(groups.rowCount(), 1);
        key(search, Qt::Key_Backspace);
        QCOMPARE(groups.rowCount(), 2);
        key(search, Qt::Key_Down);
        QCOMPARE(groups.rowNumber(), 2);
        key(search, Qt::Key_Home);
        key(search, Qt::Key_Delete);
        QCOMPARE(search->text(), u"с"_qs);
        key(search, Qt::Key_Backspace);
        QCOMPARE(groups.rowCount(), 8);

        // Delete the new group.
        QVERIFY(groups.locate(u"s_caption"_qs, u"Гайки"_qs));
        buttonOf(&list, u"Button1"_qs)->click();
        QCOMPARE(groups.rowCount(), 7);
    });
    QCOMPARE(log.texts(), QStringList{u"Удалить позицию из списка?"_qs});
    QVERIFY(!list.groups().isOpen()); // closed when the list returns
    Database& side = plant.fresh.side();
    QCOMPARE(side.scalar(u"select b_excluded from cmn_classifier.item where id = 204"_qs).toInt(), 0);
    QCOMPARE(side.scalar(u"select count(*) from cmn_classifier.item where s_caption in ('Гайки', 'Не то')"_qs).toInt(), 0);
}

void TestNomGroups::chooserHidesUnusedUntilSearch()
{
    Plant plant;
    NomGroupList list(plant.dm, nullptr);
    const int wide = list.width();
    std::optional<Choice> choice;
    whileOpen(list, [&] { choice = list.choose(); }, [&] {
        ResultSet& groups = list.groups();
        QCOMPARE(buttonOf(&list, u"Button3"_qs)->text(), u"Выбрать"_qs);
        QVERIFY(buttonOf(&list, u"Button3"_qs)->isDefault());
        QVERIFY(buttonOf(&list, u"Button1"_qs)->isHidden());
        QVERIFY(buttonOf(&list, u"Button2"_qs)->isHidden());
        QVERIFY(list.grid()->isColumnHidden(1));
        QVERIFY(list.width() < wide);
        QCOMPARE(groups.rowCount(), 5); // Архив and Служебная are not used
        QVERIFY(!groups.locate(u"id"_qs, 204));

        test::typeText(list.searchBox(), u"А"_qs);
        QCOMPARE(groups.rowCount(), 1); // a search lists every group
        QCOMPARE(groups.value(u"id"_qs).toInt(), 204);
        key(list.searchBox(), Qt::Key_Backspace);
        QCOMPARE(groups.rowCount(), 7);

        test::typeText(list.searchBox(), u"тр"_qs);
        buttonOf(&list, u"Button3"_qs)->click();
    });
    QVERIFY(choice);
    QCOMPARE(choice->id, 206);
    QCOMPARE(choice->name, u"Трубы  "_qs); // as stored

    // Everything the chooser set is undone.
    QCOMPARE(buttonOf(&list, u"Button3"_qs)->text(), u"Изменить"_qs);
    QVERIFY(!buttonOf(&list, u"Button3"_qs)->isDefault());
    QVERIFY(!buttonOf(&list, u"Button1"_qs)->isHidden());
    QVERIFY(!buttonOf(&list, u"Button2"_qs)->isHidden());
    QVERIFY(!list.grid()->isColumnHidden(1));
    QCOMPARE(list.width(), wide);
    QVERIFY(!list.groups().isFiltered());
    QVERIFY(list.searchBox()->text().isEmpty());
    QCOMPARE(list.mode(), int(NomGroupList::Maintenance));

    // Leaving the chooser without a choice hands over nothing.
    whileOpen(list, [&] { choice = list.choose(); }, [] {});
    QVERIFY(!choice);
}

void TestNomGroups::emptyNameRefused()
{
    Plant plant;
    NomGroupList list(plant.dm, nullptr);
    MessageLog log;
    bool stayedOpen = false;
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        onNextCard([&](QDialog* card) {
            test::typeText(card->findChild<QLineEdit*>(u"Edit1"_qs), u"   "_qs);
            buttonOf(card, u"Button1"_qs)->click();
            stayedOpen = card->isVisible();
            card->reject();
        });
        buttonOf(&list, u"Button2"_qs)->click();
    });
    QVERIFY(stayedOpen);
    QCOMPARE(log.texts(), QStringList{u"Все поля должны быть заполнены!"_qs});
    QCOMPARE(log.shown().at(0).caption, u"Ошибка"_qs);
    QCOMPARE(plant.count(u"select count(*) from cmn_classifier.item where trim(s_caption) = ''"_qs), 0);
}

void TestNomGroups::hostileNamesStoredAndFound_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("decoy"); // would match a pattern built from the name
    QTest::newRow("apostrophe") << u"O'Neil"_qs << u"ONeil"_qs;
    QTest::newRow("double quotes") << u"ООО \"Ромашка\""_qs << u"ООО Ромашка"_qs;
    QTest::newRow("percent") << u"50%"_qs << u"500 штук"_qs;
    QTest::newRow("underscore") << u"A_1"_qs << u"AB1"_qs;
    QTest::newRow("backslashes") << u"C:\\temp\\"_qs << u"C:temp"_qs;
}

void TestNomGroups::hostileNamesStoredAndFound()
{
    QFETCH(QString, name);
    QFETCH(QString, decoy);
    Plant plant;
    plant.fresh.side().exec(u"insert into cmn_classifier.item (s_caption) values (:n)"_qs, {{u"n"_qs, decoy}});
    NomGroupList list(plant.dm, nullptr);
    MessageLog log;
    QString listed;
    int found = -1;
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        onNextCard([&](QDialog* card) {
            test::typeText(card->findChild<QLineEdit*>(u"Edit1"_qs), name);
            buttonOf(card, u"Button1"_qs)->click();
        });
        buttonOf(&list, u"Button2"_qs)->click();
        test::typeText(list.searchBox(), name);
        found = list.groups().rowCount();
        listed = list.groups().value(u"s_caption"_qs).toString();
        // And a rename goes through the update as typed too.
        onNextCard([&](QDialog* card) {
            auto* edit = card->findChild<QLineEdit*>(u"Edit1"_qs);
            QCOMPARE(edit->text(), name);
            key(edit, Qt::Key_End);
            test::typeText(edit, name);
            buttonOf(card, u"Button1"_qs)->click();
        });
        buttonOf(&list, u"Button3"_qs)->click();
    });
    QVERIFY2(log.shown().isEmpty(), qPrintable(log.texts().join(u'|')));
    QCOMPARE(found, 1);
    QCOMPARE(listed, name);
    QCOMPARE(plant.fresh.side().scalar(u"select count(*) from cmn_classifier.item where s_caption = :n"_qs,
                                       {{u"n"_qs, name + name}}).toInt(), 1);
}

void TestNomGroups::emptyListDoesNothing()
{
    Plant plant;
    NomGroupList list(plant.dm, nullptr);
    MessageLog log;
    bool cardShown = false;
    whileOpen(list, [&] { list.openMaintenance(); }, [&] {
        test::typeText(list.searchBox(), u"Нет такой"_qs);
        QCOMPARE(list.groups().rowCount(), 0);
        test::whenModal([&](QWidget* w) { cardShown = true; static_cast<QDialog*>(w)->reject(); }, 300);
        buttonOf(&list, u"Button3"_qs)->click();
        buttonOf(&list, u"Button1"_qs)->click();
        QTest::qWait(400);
    });
    QVERIFY(!cardShown);
    QVERIFY(log.shown().isEmpty());
    QCOMPARE(plant.count(u"select count(*) from cmn_classifier.item"_qs), 8);
}

QTEST_MAIN(TestNomGroups)
#include "tst_nom_groups.moc"
