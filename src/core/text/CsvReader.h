#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace yarrow {

// One field of a comma-separated text: its text with the quoting removed, and whether it was
// quoted (a spreadsheet keeps a quoted "0.5" as text).
struct CsvField {
    std::string text;
    bool quoted = false;
};

// Reads comma-separated text as RFC 4180 says, and as spreadsheet programs write it:
// - records end at CR LF, LF or a lone CR; a break at the very end ends the last record;
// - a field that starts with a double quote runs to the matching quote and may hold separators,
//   line breaks and doubled quotes ("" is one "); text after its closing quote is kept as written;
// - a quote that is never closed runs to the end of the text;
// - a UTF-8 byte-order mark at the start is skipped.
// `onField(row, col, field)` is called for every field in order, rows and columns from 0; an empty
// line is a record of one empty field. Returning false stops the reading.
void ForEachCsvField(std::string_view text, char separator,
                     const std::function<bool(size_t row, size_t col, CsvField&& field)>& onField);

// Every record of the text as its fields' texts.
std::vector<std::vector<std::string>> ReadCsvRecords(std::string_view text, char separator = ',');

} // namespace yarrow
