#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace tabel {

class XlsxBook;

// The one layer between the "Excel" commands and the spreadsheet: a command
// opens a new workbook, writes it cell by cell and shows it. The workbook is
// built in memory; showing it saves it as .xlsx into the export folder and
// opens it with the desktop's program for spreadsheets.
//
// Every operation returns 1 when done and -1 when it failed, in which case
// the operator has already been told why.
class ExcelExport {
public:
    // Opens a saved file for the operator; false when nothing could open it.
    using Opener = std::function<bool(const QString& path)>;

    ExcelExport();
    ~ExcelExport();
    ExcelExport(const ExcelExport&) = delete;
    ExcelExport& operator=(const ExcelExport&) = delete;

    // Starts a new empty workbook with one worksheet, "Лист1", dropping any
    // previous one. The saved file is named after `title` (default
    // "Табель") and the moment it is saved. Existing workbooks cannot be
    // read, so a non-empty `fileName` is refused like a file that will not
    // open. Checks the export folder up front, so a command learns before
    // writing anything that its workbook could never be saved.
    int openExcelWorkbook(const QString& fileName, const QString& title = {});

    // true saves the workbook written since the last save (or the new empty
    // one) and opens the file. false has nothing to hide: a saved file is
    // the operator's. Before a workbook is open there is nothing to do.
    int showExcel(bool visible);

    // Sheet, column and row are 1-based. An empty text changes nothing.
    // asText keeps the value exactly as passed (text format "@"); otherwise
    // a text that reads as a number becomes a number. autoFit fits the
    // column to the texts written into it so far; bold sets or clears bold.
    int writeExcelCell(int sheet, int column, int row, const QString& text,
                       bool asText = false, bool autoFit = false, bool bold = false);

    // Full path of the file the last showExcel(true) saved; empty before.
    QString lastSavedFile() const { return m_lastSaved; }

    // TABEL_EXPORT_DIR when set, otherwise «Табель» in the user's documents.
    static QString exportFolder();

    // Replaces the desktop's opener (tests). TABEL_NO_OPEN=1 skips opening
    // altogether, for headless runs.
    void setOpener(Opener opener) { m_opener = std::move(opener); }

private:
    bool saveAndOpen();

    std::unique_ptr<XlsxBook> m_book;
    QString m_title;
    bool m_unsaved = false;
    QString m_lastSaved;
    Opener m_opener;
};

} // namespace tabel
