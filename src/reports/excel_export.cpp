#include "reports/excel_export.h"

#include "reports/xlsx_book.h"
#include "widgets/messages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

namespace tabel {

namespace {

const QString kOpenFailed = u"Ошибка открытия файла Microsoft Excel."_qs;
const QString kWriteFailed = u"Ошибка при записи: лист %1, столбец %2, строка %3"_qs;
const QString kBadSheetCaption = u"Ошибочный номер листа Microsoft Excel"_qs;
const QString kCellFailedCaption = u"Ошибка Microsoft Excel"_qs;
const QString kFolderUnusable = u"Папка для книг Excel недоступна:\n%1\n%2"_qs;
const QString kSaveFailed = u"Книгу Excel не удалось сохранить в папку\n%1\n%2"_qs;
const QString kNotOpened = u"Файл сохранён: %1\nПрограмма, которая могла бы его открыть, не найдена."_qs;
const QString kNotOpenedCaption = u"Excel"_qs;
const QString kDefaultTitle = u"Табель"_qs;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Creates the folder when missing and proves it takes a new file: as root
// every permission check passes, so only a real write tells the truth.
// Returns why the folder cannot be used, or nothing.
QString folderProblem(const QString& dir)
{
    const QFileInfo info(dir);
    if (info.exists() && !info.isDir())
        return u"По этому пути находится файл, а не папка."_qs;
    if (!QDir().mkpath(dir))
        return u"Папку не удаётся создать."_qs;
    QTemporaryFile probe(QDir(dir).filePath(u".tabel-XXXXXX"_qs));
    if (!probe.open())
        return u"В папку нельзя записать файл: "_qs + probe.errorString();
    return {};
}

// The title becomes part of a file name the operator will see in a folder.
QString fileTitle(const QString& title)
{
    static const QString forbidden = u"/\\:*?\"<>|"_qs;
    QString t = title.trimmed();
    for (QChar& c : t) {
        if (c.unicode() < 0x20 || forbidden.contains(c))
            c = u'_';
    }
    while (t.startsWith(u'.'))
        t.remove(0, 1);
    t = t.left(100).trimmed();
    return t.isEmpty() ? kDefaultTitle : t;
}

bool openWithDesktop(const QString& path)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

ExcelExport::ExcelExport() = default;
ExcelExport::~ExcelExport() = default;

QString ExcelExport::exportFolder()
{
    const QString chosen = qEnvironmentVariable("TABEL_EXPORT_DIR");
    if (!chosen.isEmpty())
        return QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(kDefaultTitle);
}

int ExcelExport::openExcelWorkbook(const QString& fileName, const QString& title)
{
    // Writes after a failed open must not land in the previous workbook.
    m_book.reset();
    m_unsaved = false;

    if (!fileName.isEmpty()) {
        msg::error(kOpenFailed);
        return -1;
    }
    const QString dir = exportFolder();
    if (const QString problem = folderProblem(dir); !problem.isEmpty()) {
        msg::error(kFolderUnusable.arg(native(dir), problem));
        msg::error(kOpenFailed);
        return -1;
    }
    m_book = std::make_unique<XlsxBook>();
    m_title = fileTitle(title);
    m_unsaved = true;
    return 1;
}

int ExcelExport::showExcel(bool visible)
{
    if (!visible || !m_book || !m_unsaved)
        return 1;
    return saveAndOpen() ? 1 : -1;
}

int ExcelExport::writeExcelCell(int sheet, int column, int row, const QString& text,
                                bool asText, bool autoFit, bool bold)
{
    if (text.isEmpty())
        return 1;
    const QString where = kWriteFailed.arg(sheet).arg(column).arg(row);
    if (!m_book || sheet < 1 || sheet > m_book->sheetCount()) {
        msg::error(where, kBadSheetCaption);
        return -1;
    }
    if (!m_book->setCell(column, row, text, asText, bold)) {
        msg::error(where, kCellFailedCaption);
        return -1;
    }
    if (autoFit)
        m_book->autoFitColumn(column);
    m_unsaved = true;
    return 1;
}

bool ExcelExport::saveAndOpen()
{
    const QString dir = exportFolder();
    if (const QString problem = folderProblem(dir); !problem.isEmpty()) {
        msg::error(kSaveFailed.arg(native(dir), problem));
        return false;
    }

    // The workbook is written under a hidden temporary name and renamed only
    // when complete, so the folder never shows a half-written file and a
    // failure leaves nothing behind.
    QTemporaryFile part(QDir(dir).filePath(u"."_qs + m_title + u"-XXXXXX.part"_qs));
    if (!part.open()) {
        msg::error(kSaveFailed.arg(native(dir), part.errorString()));
        return false;
    }
    const QString partPath = part.fileName();
    part.close();
    if (const QString reason = m_book->saveAs(partPath); !reason.isEmpty()) {
        msg::error(kSaveFailed.arg(native(dir), reason));
        return false;
    }

    // Seconds in the name keep files apart and sorted; two exports within
    // one second get a number, never each other's file.
    const QString stem = m_title + u'_'
        + QDateTime::currentDateTime().toString(u"yyyy-MM-dd_HH-mm-ss"_qs);
    QString target;
    for (int n = 1;; ++n) {
        target = QDir(dir).filePath(
            n == 1 ? stem + u".xlsx"_qs : stem + u" ("_qs + QString::number(n) + u").xlsx"_qs);
        if (QFile::exists(target))
            continue;
        QFile file(partPath);
        if (file.rename(target))
            break;
        if (!QFile::exists(target) || n >= 1000) {
            msg::error(kSaveFailed.arg(native(dir), file.errorString()));
            return false;
        }
    }
    part.setAutoRemove(false);
    // The temporary file was private to us; the saved workbook is an
    // ordinary document others in the office may open.
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                      | QFileDevice::ReadOther);
    m_lastSaved = target;
    m_unsaved = false;

    if (qEnvironmentVariable("TABEL_NO_OPEN") == u"1"_qs)
        return true;
    const bool opened = m_opener ? m_opener(target) : openWithDesktop(target);
    if (!opened)
        msg::information(kNotOpened.arg(native(target)), kNotOpenedCaption);
    return true;
}

} // namespace tabel
