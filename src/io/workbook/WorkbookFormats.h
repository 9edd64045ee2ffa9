#pragma once

#include "io/workbook/WorkbookReader.h"

#include <QByteArray>

namespace yarrow {

// The readers behind ReadWorkbook, one per file format; book.name is set by the caller.
void ReadXlsx(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book);
void ReadOds(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book);
void ReadCsv(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book);

// What the cells of one workbook have taken of the limits so far.
struct CellBudget {
    const WorkbookLimits& limits;
    const std::string& book;
    int64_t cells = 0;
    int64_t textBytes = 0;
    // Counts cells holding textBytes of text each, refusing the workbook before anything is built
    // beyond the cell or the text limit.
    void Take(int64_t count, int64_t textBytesEach);
    [[noreturn]] void RefuseText() const;
};

// Adds a filled cell within the sheet's bounds (others are dropped uncounted); beyond a limit the
// workbook is refused.
void AddCell(Workbook::Sheet& sheet, int32_t row, int32_t col, WorkbookCell cell, CellBudget& budget);

// Text that nests elements deeper than the limit is refused rather than followed.
void CheckDepth(int depth, const CellBudget& budget, const QString& part);

// "Book.xlsx cannot be read: <why>"
[[noreturn]] void Refuse(const std::string& bookName, const std::string& why);

} // namespace yarrow
