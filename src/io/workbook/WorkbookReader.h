#pragma once

#include "io/workbook/Workbook.h"

#include <QString>
#include <stdexcept>

namespace yarrow {

// A workbook file that cannot be read; what() is the message for the user.
class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How much a workbook may ask of the program before it is refused.
struct WorkbookLimits {
    int64_t maxFileBytes = 128LL << 20;  // the file on disk
    int64_t maxPartBytes = 64LL << 20;   // one unpacked part of a zipped workbook
    int64_t maxTotalBytes = 256LL << 20; // all parts read from one workbook
    int64_t maxCells = 500'000;          // filled cells of all sheets
    int64_t maxTextBytes = 64LL << 20;   // the text of all cells, shared strings counted per cell
    int32_t maxDepth = 256;              // elements nested in one cell's text
};

// Reads an .xlsx/.xlsm (cells, shared and inline strings, number formats, the 1900 and 1904 date
// systems, formulas' cached values), an .ods or a .csv file. Raises WorkbookError with a message
// naming the file and the limit hit for anything unreadable, damaged or beyond the limits. A
// formula stored without its value reads as an empty cell and adds a warning to book.warnings.
Workbook ReadWorkbook(const QString& path, const WorkbookLimits& limits = {});

} // namespace yarrow
