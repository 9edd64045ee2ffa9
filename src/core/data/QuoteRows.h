#pragma once

#include <string>

namespace yarrow {

class GridModel;

// Text files of rows, as a student keeps them beside a spreadsheet.

// Rows as pasted into the data grid (TAB-separated, or comma-separated as RFC 4180 when csv; CR LF, LF or CR
// line ends; blank lines at the end dropped) into grid rows 2.. columns 1..5 (a first row whose
// first field is "Name" goes to the heading row 1). A TAB-separated row drops its commas, as a
// paste does. Returns the number of data rows.
int LoadQuoteRows(const std::string& text, bool csv, GridModel& grid);

// "time, amount" rows (TAB or the first comma between them; blank lines skipped) into the
// cash-flow grid as typed: row i holds flow i in columns 0 and 1, and the grid gets one row more
// than there are flows. Returns the number of flows. A row without a separator raises
// std::invalid_argument naming the row.
int LoadCashFlowRows(const std::string& text, GridModel& grid);

} // namespace yarrow
