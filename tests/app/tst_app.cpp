#include "app/shell.h"
#include "support/gui.h"
#include "support/test_database.h"

#include <QDateEdit>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tabel;
using tabel::test::FreshDatabase;
using tabel::test::MessageLog;

namespace {

const BuildStamp kStamp{20261015, 50000};

// A shell on a fresh database whose end is only recorded.
struct Started {
    FreshDatabase fresh;
    Shell shell;
    int ends = 0;
    explicit Started(FreshDatabase::Content content = FreshDatabase::SchemaOnly)
        : fresh(content), shell(fresh.settings(), kStamp)
    {
        shell.setEndHandler([this] { ++ends; });
    }
};

const QStringList kRegisterControls = {
    u"Button1"_qs, u"Button2"_qs, u"Button3"_qs, u"Button4"_qs, u"Button5"_qs, u"Button6"_qs, u"Button7"_qs,
    u"Button8"_qs, u"RadioButton1"_qs, u"RadioButton2"_qs, u"RadioButton3"_qs, u"RadioButton4"_qs,
    u"CBox1"_qs, u"DateT"_qs, u"DBGrid2"_qs, u"N2"_qs, u"N11"_qs, u"N7"_qs, u"N5"_qs};

} // namespace

class TestApp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loginRoles_data();
    void loginRoles();
    void wrongCodeKeepsTheDialog();
    void connectionFailureEndsBeforeLogin();
    void captionCarriesTheBuildStamp();
    void outdatedProgramEnds();
    void outdatedProgramEndsEvenIfNobodyAnswers();
    void closingAWindowReturnsTheRegisterToToday();
    void escapeEndsTheProgram();
    void databaseErrorsAreShownAndTheWindowStays();
    void startupTimings();
};

void TestApp::loginRoles_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("disabled");
    QTest::newRow("administrator") << "5306" << QStringList{};
    QTest::newRow("administrator, long code, blanks") << " 61730482 " << QStringList{};
    QTest::newRow("analyst") << "vatrik"
                             << QStringList{u"Button1"_qs, u"Button2"_qs, u"Button3"_qs, u"RadioButton1"_qs,
                                            u"RadioButton2"_qs, u"RadioButton3"_qs, u"RadioButton4"_qs, u"CBox1"_qs,
                                            u"Button8"_qs, u"DBGrid2"_qs, u"DateT"_qs, u"N2"_qs, u"N11"_qs};
    QTest::newRow("foremen") << "plobend" << QStringList{u"Button2"_qs, u"Button3"_qs, u"N2"_qs, u"N11"_qs};
    QTest::newRow("storekeeper") << "trovu"
                                 << QStringList{u"Button1"_qs, u"Button2"_qs, u"Button3"_qs, u"N2"_qs, u"N11"_qs};
}

void TestApp::loginRoles()
{
    QFETCH(QString, code);
    QFETCH(QStringList, disabled);
    Started s(FreshDatabase::WithDemo);
    MessageLog log;
    QVERIFY(s.shell.start());
    s.shell.showLogin();
    QStringList seenDisabled;
    bool shown = false;
    int shift = 0;
    test::whenModal([&](QWidget* modal) {
        shown = modal == s.shell.mainWindow() && !s.shell.loginDialog()->isVisible();
        shift = s.shell.shiftRegister().curSmena();
        for (const QString& name : kRegisterControls) {
            if (!s.shell.mainWindow()->isControlEnabled(name))
                seenDisabled << name;
        }
        s.shell.mainWindow()->reject();
    });
    s.shell.login(code);
    QVERIFY(shown);
    QCOMPARE(shift, 1);
    seenDisabled.sort();
    disabled.sort();
    QCOMPARE(seenDisabled, disabled);
    QCOMPARE(s.shell.role(), code.trimmed());
    QVERIFY(log.shown().isEmpty());
    QCOMPARE(s.ends, 1); // closing the register ends the program
    // Struck-out records stay out of the register for every role.
    QCOMPARE(s.shell.dataModule().smena(1).param(u"ok"_qs).toString(), u"ta"_qs);
}

void TestApp::wrongCodeKeepsTheDialog()
{
    Started s;
    MessageLog log;
    QVERIFY(s.shell.start());
    s.shell.showLogin();
    for (const QString& code : {u""_qs, u"VATRIK"_qs, u"5306x"_qs}) {
        log.clear();
        s.shell.login(code);
        QCOMPARE(log.shown().size(), 1);
        QCOMPARE(log.shown()[0].text, u"Введены неверные данные."_qs);
        QCOMPARE(log.shown()[0].caption, u"Ошибка"_qs);
        QCOMPARE(int(log.shown()[0].icon), int(msg::Icon::Error));
        QVERIFY(s.shell.loginDialog()->isVisible());
        QVERIFY(!s.shell.mainWindow()->isControlEnabled(u"N11"_qs));
    }
    QCOMPARE(s.ends, 0);
}

void TestApp::connectionFailureEndsBeforeLogin()
{
    MessageLog log;
    ConnectionSettings bad;
    bad.database = u"no_such_plant"_qs;
    bad.server = test::socketDir();
    Shell shell(bad, kStamp);
    QVERIFY(!shell.start());
    QVERIFY(shell.ending());
    QCOMPARE(log.shown().size(), 1);
    QCOMPARE(log.shown()[0].text, u"Подключение к БД отсутсвует!!!"_qs);
    QCOMPARE(log.shown()[0].caption, u"Ошибка!"_qs);
    QVERIFY(!shell.loginDialog());
}

void TestApp::captionCarriesTheBuildStamp()
{
    Started s;
    MessageLog log;
    QVERIFY(s.shell.start());
    s.shell.showLogin();
    QCOMPARE(s.shell.loginDialog()->windowTitle(), u"Авторизация (build: 20261015.50000)"_qs);
    QVERIFY(s.shell.mainWindow()->versionTimer()->isActive());
    QCOMPARE(s.shell.mainWindow()->versionTimer()->interval(), 30000);
    // The first check recorded this build in the empty version table.
    QCOMPARE(s.fresh.side().scalar(u"select d from accounts_dep.ver"_qs).toInt(), kStamp.date);
}

void TestApp::outdatedProgramEnds()
{
    Started s;
    s.fresh.side().exec(u"insert into accounts_dep.ver (d, t) values (20261015, 50001)"_qs);
    MessageLog log;
    QVERIFY(s.shell.start());
    s.shell.showLogin();
    QCOMPARE(log.texts(), QStringList{u"Версия программы не соответсвует БД! Запустите программу через 5 мин."_qs});
    QCOMPARE(log.shown()[0].caption, u"Ошибка"_qs);
    QCOMPARE(s.ends, 1);
    QVERIFY(s.shell.loginDialog()->endTimer()->isActive());
    // The newer client's stamp stays.
    QCOMPARE(s.fresh.side().scalar(u"select t from accounts_dep.ver"_qs).toInt(), 50001);
}

void TestApp::outdatedProgramEndsEvenIfNobodyAnswers()
{
    Started s;
    QVERIFY(s.shell.start());
    s.fresh.side().exec(u"insert into accounts_dep.ver (d, t) values (20261016, 0)"_qs);
    QString boxText;
    test::whenModal([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            boxText = box->text(); // and leave it open
    });
    QElapsedTimer clock;
    qint64 endedAfter = -1;
    s.shell.setEndHandler([&] {
        endedAfter = clock.elapsed();
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    clock.start();
    s.shell.versionCheck(); // as the 30-second timer runs it
    QCOMPARE(boxText, kOutdatedText);
    QVERIFY2(endedAfter >= 4500 && endedAfter <= 7000, qPrintable(QString::number(endedAfter)));
}

void TestApp::closingAWindowReturnsTheRegisterToToday()
{
    Started s(FreshDatabase::WithDemo);
    MessageLog log;
    QVERIFY(s.shell.start());
    s.shell.showLogin();
    QDate shownAfterChild;
    int rowsToday = -1;
    test::whenModal([&](QWidget*) {
        MainWindow* w = s.shell.mainWindow();
        auto* date = w->findChild<QDateEdit*>(u"DateT"_qs);
        date->setDate(QDate::currentDate().addDays(-3));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(date, &enter);
        QCOMPARE(s.shell.dataModule().smena(1).param(u"data"_qs).toDate(), QDate::currentDate().addDays(-3));
        QDialog child(w);
        test::whenModal([](QWidget* m) { static_cast<QDialog*>(m)->accept(); });
        showModal(&child, w);
        shownAfterChild = date->date();
        rowsToday = s.shell.dataModule().smena(1).rowCount();
        w->reject();
    });
    s.shell.login(u"5306"_qs);
    QCOMPARE(shownAfterChild, QDate::currentDate());
    QVERIFY(rowsToday > 0); // the demo plant works today
    QVERIFY(log.shown().isEmpty());
}

void TestApp::escapeEndsTheProgram()
{
    Started s;
    MessageLog log;
    QVERIFY(s.shell.start());
    s.shell.showLogin();
    test::whenModal([&](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    s.shell.login(u"5306"_qs);
    QVERIFY(!s.shell.mainWindow()->isVisible());
    QCOMPARE(s.ends, 1);
}

void TestApp::databaseErrorsAreShownAndTheWindowStays()
{
    Started s;
    MessageLog log;
    QVERIFY(s.shell.start());
    s.shell.showLogin();
    bool stillOpen = false;
    test::whenModal([&](QWidget* w) {
        s.fresh.side().exec(u"alter table accounts_dep.smena rename to smena_gone"_qs);
        QTest::mouseClick(s.shell.mainWindow()->button(u"Button8"_qs), Qt::LeftButton);
        stillOpen = w->isVisible();
        static_cast<QDialog*>(w)->reject();
    });
    s.shell.login(u"5306"_qs);
    QVERIFY(stillOpen);
    QCOMPARE(log.shown().size(), 1);
    QVERIFY2(log.shown()[0].text.contains(u"smena"_qs), qPrintable(log.shown()[0].text));
    QCOMPARE(int(log.shown()[0].icon), int(msg::Icon::Error));
}

void TestApp::startupTimings()
{
    Started s(FreshDatabase::WithDemo);
    MessageLog log;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(s.shell.start());
    s.shell.showLogin();
    const qint64 toLogin = clock.elapsed();
    qint64 toRegister = -1;
    int statements = -1;
    const int before = s.shell.database().statementCount();
    clock.restart();
    test::whenModal([&](QWidget* w) {
        toRegister = clock.elapsed();
        statements = s.shell.database().statementCount() - before;
        static_cast<QDialog*>(w)->reject();
    }, 5000);
    s.shell.login(u"5306"_qs);
    qInfo("start to login dialog: %lld ms; login to register: %lld ms (%d statements)", toLogin, toRegister, statements);
    QVERIFY(statements <= 8); // four register queries, each prepared once per connection
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
