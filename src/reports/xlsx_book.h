#pragma once

#include <QString>

#include <map>
#include <optional>

namespace tabel {

// A one-sheet workbook kept in memory and written out as .xlsx in one go.
// It behaves the way a spreadsheet program treats values typed into a new
// workbook: a text that reads as a number becomes a number unless the cell
// carries the text format "@", and that format stays on the cell once set.
// No widgets and no messages here, so it can serve a command-line tool too.
class XlsxBook {
public:
    // The limits of the .xlsx format itself.
    static constexpr int kMaxRow = 1048576;
    static constexpr int kMaxColumn = 16384;
    static constexpr int kMaxTextLength = 32767;
    // Columns wider than this only make the sheet awkward to read; a long
    // title in the first column should not push the table off the screen.
    static constexpr double kMaxColumnWidth = 80.0;

    struct Cell {
        QString text;        // as the caller passed it
        double number = 0.0; // meaningful when isNumber
        bool isNumber = false;
        bool textFormat = false;
        bool bold = false;
    };

    explicit XlsxBook(const QString& sheetName = QStringLiteral("Лист1"));

    int sheetCount() const { return 1; }
    QString sheetName() const { return m_sheetName; }
    bool isEmpty() const { return m_cells.empty(); }

    // Column and row are 1-based. False when the address lies outside a
    // worksheet or the text is longer than a cell can hold; nothing changes.
    bool setCell(int column, int row, const QString& text, bool asText, bool bold);
    const Cell* cell(int column, int row) const;

    // Fits the column to what has been written into it so far, as a
    // spreadsheet's auto-fit does at the moment it is asked.
    void autoFitColumn(int column);
    std::optional<double> columnWidth(int column) const;

    // Writes the whole workbook to `path` (created or replaced). Returns an
    // empty string when done, otherwise the reason it failed.
    QString saveAs(const QString& path) const;

    // The number a text reads as: digits with an optional sign, an optional
    // decimal separator ("," as typed in Russian, or ".") and an optional
    // exponent. Anything else stays text.
    static std::optional<double> readNumber(const QString& text);
    // Approximate width of the text in the units of a column width (the
    // width of a digit in the sheet's default font), padding included.
    static double displayWidth(const QString& text, bool bold);

private:
    static quint64 key(int column, int row)
    {
        return (quint64(row) << 16) | quint64(column);
    }

    QString m_sheetName;
    // Ordered by row, then column: the order the sheet is written in.
    std::map<quint64, Cell> m_cells;
    // The widest text ever written per column. A text later overwritten by
    // a shorter one still counts, which can only leave a column a bit wide.
    std::map<int, double> m_widest;
    std::map<int, double> m_widths;
};

} // namespace tabel
