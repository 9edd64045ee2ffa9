#include "io/workbook/WorkbookReader.h"

#include "core/text/CsvReader.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"
#include "io/workbook/WorkbookFormats.h"

#include <QFile>
#include <QFileInfo>

namespace yarrow {

void Refuse(const std::string& bookName, const std::string& why) {
    throw WorkbookError(bookName + " cannot be read: " + why + ".");
}

void CellBudget::Take(int64_t count, int64_t textBytesEach) {
    if (count > limits.maxCells - cells)
        Refuse(book, "it has more than " + std::to_string(limits.maxCells) +
                         " filled cells (far more than a table of bonds)");
    cells += count;
    if (textBytesEach > 0 && count > (limits.maxTextBytes - textBytes) / textBytesEach)
        RefuseText();
    textBytes += count * textBytesEach;
}

void CellBudget::RefuseText() const {
    Refuse(book, "its cells hold more than " + std::to_string(limits.maxTextBytes >> 20) +
                     " MB of text (far more than a table of bonds)");
}

void AddCell(Workbook::Sheet& sheet, int32_t row, int32_t col, WorkbookCell cell, CellBudget& budget) {
    if (row < 1 || col < 1 || row > kWorkbookMaxRows || col > kWorkbookMaxCols)
        return;
    budget.Take(1, int64_t(cell.text.size()));
    sheet.cells[{row, col}] = std::move(cell);
}

void CheckDepth(int depth, const CellBudget& budget, const QString& part) {
    if (depth > budget.limits.maxDepth)
        Refuse(budget.book, "a cell of its part " + part.toStdString() + " nests more than " +
                                std::to_string(budget.limits.maxDepth) + " elements deep");
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
    CellBudget budget{limits, book.name};
    const std::string text = TextAsUtf8(std::string_view(bytes.constData(), size_t(bytes.size())));
    ForEachCsvField(text, ',', [&](size_t row, size_t col, CsvField&& field) {
        if (row >= size_t(kWorkbookMaxRows))
            return false;
        if (field.text.empty() || col >= size_t(kWorkbookMaxCols))
            return true;
        WorkbookCell cell;
        // As a spreadsheet opens a .csv: plain numbers become numbers, the rest stays text.
        if (!field.quoted && IsNumeric(field.text) && field.text.find(',') == std::string::npos) {
            cell.kind = WorkbookCell::Kind::Number;
            cell.value = SafeDouble(field.text);
        } else {
            cell.text = std::move(field.text);
        }
        AddCell(sheet, int32_t(row + 1), int32_t(col + 1), std::move(cell), budget);
        return true;
    });
}

} // namespace yarrow
