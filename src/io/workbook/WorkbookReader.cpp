#include "io/workbook/WorkbookReader.h"

#include "core/text/NumberText.h"
#include "io/workbook/WorkbookFormats.h"

#include <QFile>
#include <QFileInfo>

namespace yarrow {

void Refuse(const std::string& bookName, const std::string& why) {
    throw WorkbookError(bookName + " cannot be read: " + why + ".");
}

void AddCell(Workbook::Sheet& sheet, int32_t row, int32_t col, WorkbookCell cell, int64_t& cellCount,
             const WorkbookLimits& limits, const std::string& bookName) {
    if (row < 1 || col < 1 || row > kWorkbookMaxRows || col > kWorkbookMaxCols)
        return;
    if (++cellCount > limits.maxCells)
        Refuse(bookName, "it has more than " + std::to_string(limits.maxCells) +
                             " filled cells (far more than a table of bonds)");
    sheet.cells[{row, col}] = std::move(cell);
}

Workbook ReadWorkbook(const QString& path, const WorkbookLimits& limits) {
    const QFileInfo info(path);
    Workbook book;
    book.name = info.fileName().toStdString();
    const QString suffix = info.suffix().toLower();
    if (suffix != "xlsx" && suffix != "xlsm" && suffix != "ods" && suffix != "csv")
        Refuse(book.name, "only .xlsx, .xlsm, .ods and .csv workbooks are read");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Refuse(book.name, "the file cannot be opened (" + file.errorString().toStdString() + ")");
    if (file.size() > limits.maxFileBytes)
        Refuse(book.name, "the file is larger than " + std::to_string(limits.maxFileBytes >> 20) + " MB");
    const QByteArray bytes = file.read(limits.maxFileBytes + 1);
    if (bytes.size() > limits.maxFileBytes)
        Refuse(book.name, "the file is larger than " + std::to_string(limits.maxFileBytes >> 20) + " MB");

    if (suffix == "csv") {
        book.sheets.push_back({info.completeBaseName().toStdString(), {}, 1, 1});
        ReadCsv(bytes, limits, book);
    } else if (suffix == "ods") {
        ReadOds(bytes, limits, book);
    } else {
        ReadXlsx(bytes, limits, book);
    }
    if (book.sheets.empty())
        Refuse(book.name, "it holds no worksheet");
    return book;
}

void ReadCsv(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book) {
    Workbook::Sheet& sheet = book.sheets.front();
    int64_t count = 0;
    const std::string text =
        bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3).toStdString() : bytes.toStdString();
    int32_t row = 1, col = 1;
    std::string field;
    bool quoted = false, wasQuoted = false;
    auto endField = [&] {
        if (!field.empty()) {
            WorkbookCell cell;
            // As a spreadsheet opens a .csv: plain numbers become numbers, the rest stays text.
            if (!wasQuoted && IsNumeric(field) && field.find(',') == std::string::npos) {
                cell.kind = WorkbookCell::Kind::Number;
                cell.value = SafeDouble(field);
            } else {
                cell.text = field;
            }
            AddCell(sheet, row, col, std::move(cell), count, limits, book.name);
        }
        field.clear();
        wasQuoted = false;
        ++col;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = wasQuoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\r' || c == '\n') {
            endField();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++row;
            col = 1;
        } else {
            field += c;
        }
    }
    endField();
}

} // namespace yarrow
