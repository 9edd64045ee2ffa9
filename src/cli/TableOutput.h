#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace yarrow {

class GridModel;

// How the listing commands print a table (--format).
enum class OutputFormat { Tsv, Csv, Json };

// "tsv", "csv" or "json"; UsageError for anything else.
OutputFormat OutputFormatFromName(const std::string& name);

// A table whose first row holds the column headings, the cells as the grid shows them.
using TableRows = std::vector<std::vector<std::string>>;

// Every row of the grid, columns firstCol..lastCol.
TableRows GridRows(const GridModel& grid, int firstCol, int lastCol);

// TSV and CSV: one line per row, headings first. JSON: an array of objects keyed by the headings,
// every cell a string.
void WriteTable(std::ostream& out, OutputFormat format, const TableRows& rows);

// CSV: one row, fields quoted as spreadsheets read them, without a line end.
std::string CsvLine(const std::vector<std::string>& cells);
// JSON: the object {"KEY": "TEXT", ...} of the headings and one row.
std::string JsonObject(const std::vector<std::string>& headings, const std::vector<std::string>& cells);
// JSON: a quoted string.
std::string JsonString(const std::string& text);

} // namespace yarrow
