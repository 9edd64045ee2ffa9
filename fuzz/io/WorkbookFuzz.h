#pragma once

// Shared by the workbook fuzz targets: a read that may refuse the input but must never crash,
// and the properties every workbook that was read must have.

#include "io/workbook/CellText.h"
#include "io/workbook/WorkbookFormats.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdlib>

namespace yarrow::fuzz {

// Qt's warnings about damaged archives would flood the fuzzer's output and slow it down.
inline void QuietQt() {
    static const bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    (void)quiet;
}

inline void RequireWorkbook(bool holds) {
    if (!holds)
        std::abort();
}

// Reads bytes with reader; a workbook read lies within the limits and its cells within the sheet.
template <typename Reader> void ReadAndCheck(const uint8_t* data, size_t size, Reader reader) {
    QuietQt();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const WorkbookLimits limits;
    Workbook book;
    book.name = "fuzz";
    try {
        reader(bytes, limits, book);
    } catch (const WorkbookError&) {
        return;
    }
    int64_t cells = 0, text = 0;
    for (const Workbook::Sheet& sheet : book.sheets) {
        for (const auto& [where, cell] : sheet.cells) {
            RequireWorkbook(where.first >= 1 && where.first <= kWorkbookMaxRows && where.second >= 1 &&
                            where.second <= kWorkbookMaxCols);
            ++cells;
            text += int64_t(cell.text.size());
            (void)CellText(cell, book.date1904, DateOrder::MonthFirst);
        }
    }
    RequireWorkbook(cells <= limits.maxCells && text <= limits.maxTextBytes);
}

} // namespace yarrow::fuzz
