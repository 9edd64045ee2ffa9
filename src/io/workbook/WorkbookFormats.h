#pragma once

#include "io/workbook/WorkbookReader.h"

#include <QByteArray>

namespace yarrow {

// The readers behind ReadWorkbook, one per file format; book.name is set by the caller.
void ReadXlsx(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book);
void ReadOds(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book);
void ReadCsv(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book);

// Adds a filled cell; beyond the cell limit the workbook is refused.
void AddCell(Workbook::Sheet& sheet, int32_t row, int32_t col, WorkbookCell cell, int64_t& cellCount,
             const WorkbookLimits& limits, const std::string& bookName);

// "Book.xlsx cannot be read: <why>"
[[noreturn]] void Refuse(const std::string& bookName, const std::string& why);

} // namespace yarrow
