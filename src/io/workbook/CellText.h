#pragma once

#include "core/text/Dates.h"
#include "io/workbook/Workbook.h"

#include <string>
#include <string_view>

namespace yarrow {

// What a number format makes of a number: a date, a time, both, or General. numFmtId is the
// built-in format number (14..22, 45..47 and the East Asian date formats are dates or times);
// code the format text of a custom one (d, y, m without h or s: a date; h or s: a time; quoted
// text, escapes and [colour] sections do not count).
WorkbookCell::Shown ShownByNumberFormat(int numFmtId, std::string_view code);

// A cell as the spreadsheet shows it on the link: text as is, numbers as General, dates in the
// program date format, times as hh:mm:ss. date1904 selects the workbook's date system.
std::string CellText(const WorkbookCell& cell, bool date1904, DateOrder order);

} // namespace yarrow
