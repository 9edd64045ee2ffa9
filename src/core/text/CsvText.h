#pragma once

#include <string>
#include <vector>

namespace yarrow {

// Comma-separated text as spreadsheets read it: a field holding a comma, a double quote, a line
// end or an outer blank is enclosed in double quotes, with its quotes doubled.
std::string CsvField(const std::string& text);
// One row of fields, without a line end.
std::string CsvLine(const std::vector<std::string>& fields);

} // namespace yarrow
