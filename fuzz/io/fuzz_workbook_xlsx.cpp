// The .xlsx workbook reader (also the reader of .xlsm files) on any bytes: it reads them or refuses them
// with a WorkbookError, within the limits, and every cell it keeps lies on the sheet.

#include "WorkbookFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    yarrow::fuzz::ReadAndCheck(data, size,
                               [](const QByteArray& bytes, const yarrow::WorkbookLimits& limits,
                                  yarrow::Workbook& book) { yarrow::ReadXlsx(bytes, limits, book); });
    return 0;
}
