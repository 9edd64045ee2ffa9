#include "TableOutput.h"

#include "CliContext.h"
#include "core/grid/GridCsv.h"
#include "core/grid/GridModel.h"

#include <cstdio>
#include <ostream>
#include <utility>

namespace yarrow {

OutputFormat OutputFormatFromName(const std::string& name) {
    if (name == "tsv")
        return OutputFormat::Tsv;
    if (name == "csv")
        return OutputFormat::Csv;
    if (name == "json")
        return OutputFormat::Json;
    throw UsageError{"--format takes tsv, csv or json, not '" + name + "'"};
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (ch < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
                out += escaped;
            } else {
                out += static_cast<char>(ch);
            }
        }
    }
    out += '"';
    return out;
}

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c)
            line += ',';
        line += CsvField(cells[c]);
    }
    return line;
}

std::string JsonObject(const std::vector<std::string>& headings, const std::vector<std::string>& cells) {
    std::string out = "{";
    for (size_t c = 0; c < headings.size(); ++c) {
        if (c)
            out += ", ";
        out += JsonString(headings[c]) + ": " + JsonString(c < cells.size() ? cells[c] : std::string());
    }
    return out + "}";
}

TableRows GridRows(const GridModel& grid, int firstCol, int lastCol) {
    TableRows rows;
    for (int r = 0; r < grid.Rows(); ++r) {
        std::vector<std::string> cells;
        for (int c = firstCol; c <= lastCol; ++c)
            cells.push_back(grid.TextMatrix(r, c));
        rows.push_back(std::move(cells));
    }
    return rows;
}

void WriteTable(std::ostream& out, OutputFormat format, const TableRows& rows) {
    switch (format) {
    case OutputFormat::Tsv:
        for (const auto& row : rows)
            WriteRow(out, row);
        break;
    case OutputFormat::Csv:
        for (const auto& row : rows)
            out << CsvLine(row) << '\n';
        break;
    case OutputFormat::Json:
        out << '[';
        for (size_t r = 1; r < rows.size(); ++r)
            out << (r > 1 ? ",\n " : "\n ") << JsonObject(rows[0], rows[r]);
        out << (rows.size() > 1 ? "\n]\n" : "]\n");
        break;
    }
}

} // namespace yarrow
