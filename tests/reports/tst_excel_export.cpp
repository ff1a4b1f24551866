#include "reports/excel_export.h"
#include "support/gui.h"
#include "support/spreadsheet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace tabel;
using test::EnvScope;
using test::readWorkbook;

namespace {

const QString kOpenFailed = u"Ошибка открытия файла Microsoft Excel."_qs;
const QString kBadSheet = u"Ошибочный номер листа Microsoft Excel"_qs;
const QString kCellFailed = u"Ошибка Microsoft Excel"_qs;



QJsonObject cellOf(const QJsonObject& book, int column, int row)
{
    return book[u"cells"_qs].toObject()[u"%1,%2"_qs.arg(column).arg(row)].toObject();
}

} // namespace

class TestExcelExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void cellValues_data();
    void cellValues();
    void laterWritesToTheSameCell_data();
    void laterWritesToTheSameCell();
    void autoFitWidensToTheLongestText();
    void emptyTextChangesNothing_data();
    void emptyTextChangesNothing();
    void badAddress_data();
    void badAddress();
    void openFails_data();
    void openFails();
    void showBeforeOpenDoesNothing();
    void savedFileNames();
    void defaultFolderIsInDocuments();
    void folderLostBeforeSave();
    void openingTheSavedFile_data();
    void openingTheSavedFile();
    void speedOfAFullTimesheet();

private:
    // Saves the export and reads the file back; empty on failure.
    QJsonObject showAndRead(ExcelExport& excel);
    QStringList filesInExportFolder() const;

    std::optional<QTemporaryDir> m_dir;
    std::optional<EnvScope> m_exportDir;
    std::optional<test::MessageLog> m_log;
};

void TestExcelExport::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_exportDir.emplace("TABEL_EXPORT_DIR", QFile::encodeName(m_dir->filePath(u"Выгрузка"_qs)));
    m_log.emplace();
}

void TestExcelExport::cleanup()
{
    // Whatever a test did, the folder must hold only finished workbooks: no
    // probes and no half-written files.
    const QDir folder(m_dir->filePath(u"Выгрузка"_qs));
    const QStringList hidden = folder.entryList(QDir::Files | QDir::Hidden | QDir::System)
                                   .filter(QRegularExpression(u"^\\."_qs));
    m_log.reset();
    m_exportDir.reset();
    m_dir.reset();
    QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(u", "_qs)));
}

QJsonObject TestExcelExport::showAndRead(ExcelExport& excel)
{
    if (excel.showExcel(true) != 1 || excel.lastSavedFile().isEmpty())
        return {};
    return readWorkbook(excel.lastSavedFile());
}

QStringList TestExcelExport::filesInExportFolder() const
{
    return QDir(m_dir->filePath(u"Выгрузка"_qs)).entryList(QDir::Files);
}

void TestExcelExport::cellValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("asText");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<QString>("expected"); // the text, or the number in C notation

    const QString hostile = u"O'Neil & ООО \"Ромашка\" <b>50%</b> \\n 𝄞 ½"_qs;
    QTest::newRow("name") << u"Иванов И.И."_qs << false << false << false << u"Иванов И.И."_qs;
    QTest::newRow("comma decimal") << u"12,5"_qs << false << false << true << u"12.5"_qs;
    QTest::newRow("point decimal") << u"12.5"_qs << false << false << true << u"12.5"_qs;
    QTest::newRow("negative") << u"-3"_qs << false << false << true << u"-3"_qs;
    QTest::newRow("no integer part") << u",75"_qs << false << false << true << u"0.75"_qs;
    QTest::newRow("exponent") << u"1,5E3"_qs << false << false << true << u"1500"_qs;
    QTest::newRow("leading zeros read as number") << u"007"_qs << false << false << true << u"7"_qs;
    QTest::newRow("leading zeros kept as text") << u"007"_qs << true << false << false << u"007"_qs;
    QTest::newRow("trailing zeros kept as text") << u"12,50"_qs << true << false << false << u"12,50"_qs;
    QTest::newRow("bold number") << u"1234"_qs << false << true << true << u"1234"_qs;
    QTest::newRow("bold text-formatted number") << u"42"_qs << true << true << false << u"42"_qs;
    QTest::newRow("unit after number") << u"12,5 руб."_qs << false << false << false << u"12,5 руб."_qs;
    QTest::newRow("two separators") << u"1,2,3"_qs << false << false << false << u"1,2,3"_qs;
    QTest::newRow("sign alone") << u"-"_qs << false << false << false << u"-"_qs;
    QTest::newRow("separator alone") << u","_qs << false << false << false << u","_qs;
    QTest::newRow("exponent without digits") << u"1e"_qs << false << false << false << u"1e"_qs;
    QTest::newRow("out of double range") << u"1e999"_qs << false << false << false << u"1e999"_qs;
    QTest::newRow("padded number stays text") << u" 12"_qs << false << false << false << u" 12"_qs;
    QTest::newRow("formula stays text") << u"=1+1"_qs << false << false << false << u"=1+1"_qs;
    QTest::newRow("hostile text") << hostile << false << true << false << hostile;
    QTest::newRow("line break and tab") << u"а\nб\tв"_qs << false << false << false << u"а\nб\tв"_qs;
}

void TestExcelExport::cellValues()
{
    QFETCH(QString, text);
    QFETCH(bool, asText);
    QFETCH(bool, bold);
    QFETCH(bool, isNumber);
    QFETCH(QString, expected);

    ExcelExport excel;
    QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    QCOMPARE(excel.writeExcelCell(1, 3, 2, text, asText, false, bold), 1);
    const QJsonObject book = showAndRead(excel);
    QVERIFY(!book.isEmpty());
    QCOMPARE(m_log->shown().size(), 0);

    QCOMPARE(book[u"sheets"_qs].toVariant().toStringList(), QStringList{u"Лист1"_qs});
    QCOMPARE(book[u"cells"_qs].toObject().keys(), QStringList{u"3,2"_qs});
    const QJsonObject cell = cellOf(book, 3, 2);
    QCOMPARE(cell[u"type"_qs].toString(), isNumber ? u"number"_qs : u"text"_qs);
    if (isNumber)
        QCOMPARE(cell[u"value"_qs].toString().toDouble(), expected.toDouble());
    else
        QCOMPARE(cell[u"value"_qs].toString(), expected);
    QCOMPARE(cell[u"format"_qs].toString(), asText ? u"@"_qs : u"General"_qs);
    QCOMPARE(cell[u"bold"_qs].toBool(), bold);
}

void TestExcelExport::laterWritesToTheSameCell_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<bool>("firstAsText");
    QTest::addColumn<bool>("firstBold");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("secondAsText");
    QTest::addColumn<bool>("secondBold");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("bold");

    // A text format once applied stays on the cell, so the next value stays text.
    QTest::newRow("text format stays") << u"007"_qs << true << false << u"008"_qs << false << false
                                       << u"text"_qs << u"008"_qs << u"@"_qs << false;
    QTest::newRow("bold is cleared") << u"Итого"_qs << false << true << u"Всего"_qs << false << false
                                     << u"text"_qs << u"Всего"_qs << u"General"_qs << false;
    QTest::newRow("text becomes number") << u"нет"_qs << false << false << u"5"_qs << false << true
                                         << u"number"_qs << u"5"_qs << u"General"_qs << true;
    QTest::newRow("empty leaves the cell alone") << u"5"_qs << false << true << QString() << true << false
                                                 << u"number"_qs << u"5"_qs << u"General"_qs << true;
}

void TestExcelExport::laterWritesToTheSameCell()
{
    QFETCH(QString, first);
    QFETCH(bool, firstAsText);
    QFETCH(bool, firstBold);
    QFETCH(QString, second);
    QFETCH(bool, secondAsText);
    QFETCH(bool, secondBold);

    ExcelExport excel;
    QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    QCOMPARE(excel.writeExcelCell(1, 1, 1, first, firstAsText, false, firstBold), 1);
    QCOMPARE(excel.writeExcelCell(1, 1, 1, second, secondAsText, false, secondBold), 1);
    const QJsonObject cell = cellOf(showAndRead(excel), 1, 1);

    QTEST(cell[u"type"_qs].toString(), "type");
    QTEST(cell[u"value"_qs].toString(), "value");
    QTEST(cell[u"format"_qs].toString(), "format");
    QTEST(cell[u"bold"_qs].toBool(), "bold");
}

void TestExcelExport::autoFitWidensToTheLongestText()
{
    const QString longName = u"Сидоренко-Ковальчук Александр Владимирович"_qs; // 42 characters
    ExcelExport excel;
    QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    // Column 1: day numbers, fitted narrow.
    QCOMPARE(excel.writeExcelCell(1, 1, 1, u"31"_qs, false, true), 1);
    // Column 2: the longest text decides, whichever row it is in.
    QCOMPARE(excel.writeExcelCell(1, 2, 1, u"Фамилия И.О."_qs, true, true, true), 1);
    QCOMPARE(excel.writeExcelCell(1, 2, 2, longName, true, true), 1);
    QCOMPARE(excel.writeExcelCell(1, 2, 3, u"Ли"_qs, true, true), 1);
    // Column 3: no auto-fit, no width of its own.
    QCOMPARE(excel.writeExcelCell(1, 3, 1, longName, true, false), 1);
    // Column 4: a text written before without the flag counts too, as the
    // whole column is fitted.
    QCOMPARE(excel.writeExcelCell(1, 4, 1, longName, true, false), 1);
    QCOMPARE(excel.writeExcelCell(1, 4, 2, u"1"_qs, false, true), 1);
    // Column 5: a very long text is capped.
    QCOMPARE(excel.writeExcelCell(1, 5, 1, QString(500, u'Ш'), true, true), 1);

    const QJsonObject widths = showAndRead(excel)[u"widths"_qs].toObject();
    const double day = widths[u"1"_qs].toDouble();
    const double name = widths[u"2"_qs].toDouble();
    QVERIFY2(day > 1.5 && day < 5, qPrintable(QString::number(day)));
    QVERIFY2(name > 38 && name < 60, qPrintable(QString::number(name)));
    QVERIFY(!widths.contains(u"3"_qs));
    QCOMPARE(widths[u"4"_qs].toDouble(), name);
    const double capped = widths[u"5"_qs].toDouble();
    QVERIFY2(capped > name && capped <= 100, qPrintable(QString::number(capped)));
}

void TestExcelExport::emptyTextChangesNothing_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("flags");

    QTest::newRow("plain") << true << 1 << 1 << false;
    QTest::newRow("all flags") << true << 1 << 1 << true;
    QTest::newRow("bad sheet") << true << 5 << 1 << true;
    QTest::newRow("bad row") << true << 1 << 0 << true;
    QTest::newRow("no workbook") << false << 1 << 1 << true;
}

void TestExcelExport::emptyTextChangesNothing()
{
    QFETCH(bool, open);
    QFETCH(int, sheet);
    QFETCH(int, row);
    QFETCH(bool, flags);

    ExcelExport excel;
    if (open)
        QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    QCOMPARE(excel.writeExcelCell(sheet, 1, row, QString(), flags, flags, flags), 1);
    QCOMPARE(m_log->shown().size(), 0);
    if (!open)
        return;
    const QJsonObject book = showAndRead(excel);
    QVERIFY(!book.isEmpty());
    QVERIFY(book[u"cells"_qs].toObject().isEmpty());
    QVERIFY(book[u"widths"_qs].toObject().isEmpty());
}

void TestExcelExport::badAddress_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");

    const QString x = u"x"_qs;
    QTest::newRow("sheet 5") << true << 5 << 1 << 3 << x << kBadSheet
                             << u"Ошибка при записи: лист 5, столбец 1, строка 3"_qs;
    QTest::newRow("sheet 0") << true << 0 << 2 << 7 << x << kBadSheet
                             << u"Ошибка при записи: лист 0, столбец 2, строка 7"_qs;
    QTest::newRow("sheet 2") << true << 2 << 1 << 1 << x << kBadSheet
                             << u"Ошибка при записи: лист 2, столбец 1, строка 1"_qs;
    QTest::newRow("negative sheet") << true << -1 << 1 << 1 << x << kBadSheet
                                    << u"Ошибка при записи: лист -1, столбец 1, строка 1"_qs;
    QTest::newRow("no workbook") << false << 1 << 1 << 1 << x << kBadSheet
                                 << u"Ошибка при записи: лист 1, столбец 1, строка 1"_qs;
    QTest::newRow("column 0") << true << 1 << 0 << 1 << x << kCellFailed
                              << u"Ошибка при записи: лист 1, столбец 0, строка 1"_qs;
    QTest::newRow("row 0") << true << 1 << 1 << 0 << x << kCellFailed
                           << u"Ошибка при записи: лист 1, столбец 1, строка 0"_qs;
    QTest::newRow("column past the last") << true << 1 << 16385 << 1 << x << kCellFailed
                                          << u"Ошибка при записи: лист 1, столбец 16385, строка 1"_qs;
    QTest::newRow("row past the last") << true << 1 << 1 << 1048577 << x << kCellFailed
                                       << u"Ошибка при записи: лист 1, столбец 1, строка 1048577"_qs;
    QTest::newRow("text longer than a cell") << true << 1 << 4 << 9 << QString(32768, u'ж') << kCellFailed
                                             << u"Ошибка при записи: лист 1, столбец 4, строка 9"_qs;
}

void TestExcelExport::badAddress()
{
    QFETCH(bool, open);
    QFETCH(int, sheet);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, text);

    ExcelExport excel;
    if (open)
        QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    QCOMPARE(excel.writeExcelCell(sheet, column, row, text, true, true, true), -1);
    QCOMPARE(m_log->shown().size(), 1);
    QCOMPARE(m_log->shown()[0].icon, msg::Icon::Error);
    QTEST(m_log->shown()[0].caption, "caption");
    QTEST(m_log->shown()[0].text, "message");
    if (!open)
        return;

    // The failed write left no trace, and the export goes on.
    QCOMPARE(excel.writeExcelCell(1, 2, 2, u"дальше"_qs), 1);
    const QJsonObject book = showAndRead(excel);
    QCOMPARE(book[u"cells"_qs].toObject().keys(), QStringList{u"2,2"_qs});
    QVERIFY(book[u"widths"_qs].toObject().isEmpty());
}

void TestExcelExport::openFails_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("exportDir"); // under the test's folder; "blocker" is a regular file
    QTest::addColumn<int>("messages");

    QTest::newRow("existing workbook by name") << u"/tmp/old.xlsx"_qs << u"Выгрузка"_qs << 1;
    QTest::newRow("folder under a file") << QString() << u"blocker/Табель"_qs << 2;
    QTest::newRow("folder is a file") << QString() << u"blocker"_qs << 2;
}

void TestExcelExport::openFails()
{
    QFETCH(QString, fileName);
    QFETCH(QString, exportDir);
    QFETCH(int, messages);

    // Running as root, permissions block nothing; a file in the way does.
    QFile blocker(m_dir->filePath(u"blocker"_qs));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = m_dir->filePath(exportDir);
    EnvScope env("TABEL_EXPORT_DIR", QFile::encodeName(folder));

    ExcelExport excel;
    QCOMPARE(excel.openExcelWorkbook(fileName), -1);
    const auto& shown = m_log->shown();
    QCOMPARE(shown.size(), messages);
    for (const auto& m : shown)
        QCOMPARE(m.icon, msg::Icon::Error);
    // The operator learns which folder is the trouble before the usual words.
    if (messages == 2)
        QVERIFY2(shown[0].text.contains(QDir::toNativeSeparators(folder)), qPrintable(shown[0].text));
    QCOMPARE(shown.last().caption, u"Ошибка"_qs);
    QCOMPARE(shown.last().text, kOpenFailed);

    // The caller ignores write results: they fail loudly, and nothing is saved.
    m_log->clear();
    QCOMPARE(excel.writeExcelCell(1, 1, 1, u"x"_qs), -1);
    QCOMPARE(m_log->shown().size(), 1);
    QCOMPARE(m_log->shown()[0].caption, kBadSheet);
    QCOMPARE(excel.showExcel(true), 1);
    QVERIFY(excel.lastSavedFile().isEmpty());
    QVERIFY(QFileInfo(m_dir->filePath(u"blocker"_qs)).isFile());
}

void TestExcelExport::showBeforeOpenDoesNothing()
{
    ExcelExport excel;
    QCOMPARE(excel.showExcel(true), 1);
    QCOMPARE(excel.showExcel(false), 1);
    QVERIFY(excel.lastSavedFile().isEmpty());
    QCOMPARE(m_log->shown().size(), 0);
    QVERIFY(filesInExportFolder().isEmpty());
}

void TestExcelExport::savedFileNames()
{
    ExcelExport excel;
    QCOMPARE(excel.openExcelWorkbook(QString(), u"Цены"_qs), 1);
    QCOMPARE(excel.writeExcelCell(1, 1, 1, u"a"_qs), 1);
    QCOMPARE(excel.showExcel(false), 1);
    QVERIFY(filesInExportFolder().isEmpty());
    QCOMPARE(excel.showExcel(true), 1);
    const QString first = excel.lastSavedFile();
    QCOMPARE(QFileInfo(first).absolutePath(), m_dir->filePath(u"Выгрузка"_qs));
    QVERIFY2(QRegularExpression(u"^Цены_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d\\.xlsx$"_qs)
                 .match(QFileInfo(first).fileName()).hasMatch(),
             qPrintable(first));

    // Shown again with nothing new: no second copy.
    QCOMPARE(excel.showExcel(true), 1);
    QCOMPARE(excel.lastSavedFile(), first);

    // Exports within the same second never overwrite each other; a title
    // that is no valid file name is tamed.
    QCOMPARE(excel.openExcelWorkbook(QString(), u"Цены"_qs), 1);
    QCOMPARE(excel.writeExcelCell(1, 1, 1, u"b"_qs), 1);
    QCOMPARE(excel.showExcel(true), 1);
    const QString second = excel.lastSavedFile();
    QCOMPARE(excel.openExcelWorkbook(QString(), u"../a/b:c"_qs), 1);
    QCOMPARE(excel.showExcel(true), 1);
    const QString third = excel.lastSavedFile();

    QCOMPARE(filesInExportFolder().size(), 3);
    QVERIFY(second != first);
    QCOMPARE(cellOf(readWorkbook(first), 1, 1)[u"value"_qs].toString(), u"a"_qs);
    QCOMPARE(cellOf(readWorkbook(second), 1, 1)[u"value"_qs].toString(), u"b"_qs);
    QCOMPARE(QFileInfo(third).absolutePath(), m_dir->filePath(u"Выгрузка"_qs));
    QVERIFY2(QFileInfo(third).fileName().startsWith(u"_a_b_c_"_qs), qPrintable(third));
    QCOMPARE(m_log->shown().size(), 0);
}

void TestExcelExport::defaultFolderIsInDocuments()
{
    EnvScope noExportDir("TABEL_EXPORT_DIR", QByteArray());
    EnvScope home("HOME", QFile::encodeName(m_dir->path()));
    EnvScope config("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath(u".config"_qs)));

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY2(documents.startsWith(m_dir->path()), qPrintable(documents));
    ExcelExport excel;
    QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    QCOMPARE(excel.showExcel(true), 1);
    QCOMPARE(QFileInfo(excel.lastSavedFile()).absolutePath(), documents + u"/Табель"_qs);
    QVERIFY(QFileInfo(excel.lastSavedFile()).fileName().startsWith(u"Табель_"_qs));
}

void TestExcelExport::folderLostBeforeSave()
{
    const QString folder = m_dir->filePath(u"Выгрузка"_qs);
    ExcelExport excel;
    QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    QCOMPARE(excel.writeExcelCell(1, 1, 1, u"сохранить"_qs), 1);

    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(excel.showExcel(true), -1);
    QCOMPARE(m_log->shown().size(), 1);
    QCOMPARE(m_log->shown()[0].icon, msg::Icon::Error);
    QVERIFY2(m_log->shown()[0].text.contains(QDir::toNativeSeparators(folder)),
             qPrintable(m_log->shown()[0].text));
    QVERIFY(excel.lastSavedFile().isEmpty());

    // The workbook is still there: once the folder is usable, showing saves it.
    QVERIFY(QFile::remove(folder));
    QCOMPARE(excel.showExcel(true), 1);
    QCOMPARE(cellOf(readWorkbook(excel.lastSavedFile()), 1, 1)[u"value"_qs].toString(), u"сохранить"_qs);
}

void TestExcelExport::openingTheSavedFile_data()
{
    QTest::addColumn<QByteArray>("noOpen");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("tried");
    QTest::addColumn<bool>("told");

    QTest::newRow("opened") << QByteArray("0") << true << true << false;
    QTest::newRow("nothing can open it") << QByteArray("0") << false << true << true;
    QTest::newRow("headless run") << QByteArray("1") << false << false << false;
}

void TestExcelExport::openingTheSavedFile()
{
    QFETCH(QByteArray, noOpen);
    QFETCH(bool, opens);
    QFETCH(bool, tried);
    QFETCH(bool, told);

    EnvScope env("TABEL_NO_OPEN", noOpen);
    ExcelExport excel;
    QString openedPath;
    excel.setOpener([&](const QString& path) {
        openedPath = path;
        return opens;
    });
    QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    QCOMPARE(excel.showExcel(true), 1);
    QVERIFY(QFileInfo::exists(excel.lastSavedFile()));
    QCOMPARE(openedPath, tried ? excel.lastSavedFile() : QString());
    QCOMPARE(m_log->shown().size(), told ? 1 : 0);
    if (told) {
        QCOMPARE(m_log->shown()[0].icon, msg::Icon::Information);
        QVERIFY(m_log->shown()[0].text.contains(QDir::toNativeSeparators(excel.lastSavedFile())));
    }
}

void TestExcelExport::speedOfAFullTimesheet()
{
    // The heaviest caller: a month timesheet of 1,000 workers and 36 columns,
    // every cell auto-fitted, the header bold.
    constexpr int rows = 1000;
    constexpr int columns = 36;
    QStringList values;
    for (int c = 1; c <= columns; ++c)
        values << (c == 1 ? u"Работников-Длиннофамильный Р.Р."_qs : u"%1,5"_qs.arg(c));

    QElapsedTimer clock;
    clock.start();
    ExcelExport excel;
    QCOMPARE(excel.openExcelWorkbook(QString()), 1);
    for (int c = 1; c <= columns; ++c)
        excel.writeExcelCell(1, c, 1, QString::number(c), false, true, true);
    for (int r = 2; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c)
            excel.writeExcelCell(1, c, r, values[c - 1], c == 1, true, false);
    }
    QCOMPARE(excel.showExcel(true), 1);
    const qint64 elapsed = clock.elapsed();
    qInfo("1000 x 36 cells written and saved in %lld ms", elapsed);
    // Well under a second on a desktop; the margin keeps a loaded CI quiet.
    QVERIFY2(elapsed < 3000, qPrintable(QString::number(elapsed)));

    const QJsonObject book = readWorkbook(excel.lastSavedFile());
    QCOMPARE(book[u"cells"_qs].toObject().size(), rows * columns);
    QCOMPARE(cellOf(book, 36, 1000)[u"type"_qs].toString(), u"number"_qs);
    QCOMPARE(m_log->shown().size(), 0);
}

QTEST_MAIN(TestExcelExport)
#include "tst_excel_export.moc"
