#include "core/data/QuoteRows.h"

#include "core/grid/GridModel.h"
#include "core/grid/GridText.h"
#include "core/text/CsvReader.h"
#include "core/text/TextSplit.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace yarrow {

namespace {

// The lines of the text, trailing blank lines dropped.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::string_view line : yarrow::SplitLines(text))
        lines.emplace_back(line);
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos)
        lines.pop_back();
    return lines;
}

std::vector<std::string> SplitFields(const std::string& line, char sep) {
    std::string text(line);
    if (sep == '\t')
        RemoveCommas(text); // as a paste does: thousands separators, and commas in names alike
    std::vector<std::string> fields;
    for (std::string_view field : SplitText(text, sep))
        fields.emplace_back(field);
    return fields;
}

} // namespace

int LoadQuoteRows(const std::string& text, bool csv, GridModel& grid) {
    std::vector<std::vector<std::string>> records;
    if (csv) {
        // Quoted fields may hold commas, quotes and line breaks: the one CSV reader splits them.
        records = ReadCsvRecords(text);
        auto blank = [](const std::vector<std::string>& r) {
            for (const std::string& f : r)
                if (f.find_first_not_of(" \t") != std::string::npos)
                    return false;
            return true;
        };
        while (!records.empty() && blank(records.back()))
            records.pop_back();
    } else {
        for (const std::string& line : SplitLines(text))
            records.push_back(SplitFields(line, '\t'));
    }
    const bool heading = !records.empty() && !records[0].empty() && records[0][0] == "Name";
    const int dataRows = static_cast<int>(records.size()) - (heading ? 1 : 0);
    grid.SetCols(6);
    grid.SetRows(2 + dataRows);
    int row = heading ? 1 : 2;
    for (const std::vector<std::string>& fields : records) {
        for (size_t c = 0; c < fields.size() && c < 5; ++c)
            grid.SetTextMatrix(row, static_cast<int>(c) + 1, fields[c]);
        ++row;
    }
    return dataRows;
}

int LoadCashFlowRows(const std::string& text, GridModel& grid) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const std::string& line : SplitLines(text)) {
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        const size_t sep = line.find_first_of("\t,");
        if (sep == std::string::npos)
            throw std::invalid_argument("cash-flow row '" + line + "' needs a time and an amount");
        rows.emplace_back(line.substr(0, sep), line.substr(sep + 1));
    }
    if (rows.empty())
        return 0;
    grid.SetRows(static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        grid.SetTextMatrix(static_cast<int>(i) + 1, 0, rows[i].first);
        grid.SetTextMatrix(static_cast<int>(i) + 1, 1, rows[i].second);
    }
    return static_cast<int>(rows.size());
}

} // namespace yarrow
