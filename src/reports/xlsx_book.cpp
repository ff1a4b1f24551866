#include "reports/xlsx_book.h"

#include <QFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>

namespace tabel {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Relative widths of characters against a digit in the default sheet font.
// Capitals (Cyrillic Ж, Ш, Щ, М above all) run wider, punctuation and
// spaces much narrower; East Asian characters take two digits.
double charWidth(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return 1.0;
    if (c == U' ' || c == U'.' || c == U',' || c == U':' || c == U';' || c == U'\''
        || c == U'!' || c == U'|' || c == U'i' || c == U'l' || c == U'j' || c == U'I')
        return 0.5;
    if (c >= 0x1100 && (c <= 0x115F || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
                        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFF60)))
        return 1.9;
    if (QChar::isUpper(c))
        return 1.25;
    if (QChar::isLetter(c))
        return 0.95;
    return 0.8;
}

} // namespace

XlsxBook::XlsxBook(const QString& sheetName)
    : m_sheetName(sheetName)
{
}

bool XlsxBook::setCell(int column, int row, const QString& text, bool asText, bool bold)
{
    if (column < 1 || column > kMaxColumn || row < 1 || row > kMaxRow)
        return false;
    // A cell's limit counts characters; a surrogate pair is one.
    if (text.size() > kMaxTextLength && text.toUcs4().size() > kMaxTextLength)
        return false;

    Cell& c = m_cells[key(column, row)];
    // Once a cell has the text format, later values stay text, exactly as a
    // spreadsheet keeps a format applied to a cell.
    c.textFormat = c.textFormat || asText;
    c.bold = bold;
    c.text = text;
    const auto number = c.textFormat ? std::nullopt : readNumber(text);
    c.isNumber = number.has_value();
    c.number = number.value_or(0.0);

    double& widest = m_widest[column];
    widest = std::max(widest, displayWidth(text, bold));
    return true;
}

const XlsxBook::Cell* XlsxBook::cell(int column, int row) const
{
    const auto it = m_cells.find(key(column, row));
    return it == m_cells.end() ? nullptr : &it->second;
}

void XlsxBook::autoFitColumn(int column)
{
    const auto it = m_widest.find(column);
    if (it != m_widest.end())
        m_widths[column] = std::min(it->second, kMaxColumnWidth);
}

std::optional<double> XlsxBook::columnWidth(int column) const
{
    const auto it = m_widths.find(column);
    if (it == m_widths.end())
        return std::nullopt;
    return it->second;
}

std::optional<double> XlsxBook::readNumber(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++digits;
    if (i < n && (text[i] == u',' || text[i] == u'.')) {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'-' || text[i] == u'+'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(text[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    QByteArray latin = text.toLatin1();
    latin.replace(',', '.');
    bool ok = false;
    const double value = QByteArrayView(latin).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double XlsxBook::displayWidth(const QString& text, bool bold)
{
    double units = 0.0;
    for (const char32_t c : text.toUcs4())
        units += charWidth(c);
    if (bold)
        units *= 1.08;
    // Room for the cell's margins, so the text does not touch the grid line.
    return units + 1.3;
}

QString XlsxBook::saveAs(const QString& path) const
{
    lxw_workbook_options options{};
    const QByteArray fileName = QFile::encodeName(path);
    lxw_workbook* workbook = workbook_new_opt(fileName.constData(), &options);
    if (!workbook)
        return QStringLiteral("недостаточно памяти");

    // Freeing without closing writes nothing, so a failure leaves no file
    // behind from this step.
    auto fail = [workbook](lxw_error error) {
        lxw_workbook_free(workbook);
        return QString::fromUtf8(lxw_strerror(error));
    };

    lxw_worksheet* sheet = workbook_add_worksheet(workbook, m_sheetName.toUtf8().constData());
    if (!sheet)
        return fail(LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED);

    lxw_format* boldFormat = workbook_add_format(workbook);
    format_set_bold(boldFormat);
    lxw_format* textFormat = workbook_add_format(workbook);
    format_set_num_format(textFormat, "@");
    lxw_format* boldTextFormat = workbook_add_format(workbook);
    format_set_bold(boldTextFormat);
    format_set_num_format(boldTextFormat, "@");

    for (const auto& [k, c] : m_cells) {
        const auto row = lxw_row_t((k >> 16) - 1);
        const auto column = lxw_col_t((k & 0xFFFF) - 1);
        lxw_format* format = c.textFormat ? (c.bold ? boldTextFormat : textFormat)
                                          : (c.bold ? boldFormat : nullptr);
        const lxw_error error = c.isNumber
            ? worksheet_write_number(sheet, row, column, c.number, format)
            : worksheet_write_string(sheet, row, column, c.text.toUtf8().constData(), format);
        if (error != LXW_NO_ERROR)
            return fail(error);
    }
    for (const auto& [column, width] : m_widths) {
        const lxw_error error = worksheet_set_column(sheet, lxw_col_t(column - 1),
                                                     lxw_col_t(column - 1), width, nullptr);
        if (error != LXW_NO_ERROR)
            return fail(error);
    }

    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR)
        return QString::fromUtf8(lxw_strerror(error));
    return {};
}

} // namespace tabel
