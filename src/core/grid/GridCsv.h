#pragma once

#include <string>
#include <string_view>

namespace yarrow {

class GridModel;

// Comma-separated text as spreadsheets read it: every cell of the grid, headings included, exactly
// as shown; rows end in CR LF. A field holding a comma, a double quote, a line break or leading or
// trailing blanks is quoted, with its quotes doubled.
std::string GridCsvText(const GridModel& grid);
// One field as above.
std::string CsvField(std::string_view text);

} // namespace yarrow
