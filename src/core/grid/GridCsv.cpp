#include "core/grid/GridCsv.h"

#include "core/grid/GridModel.h"

namespace yarrow {

std::string CsvField(std::string_view text) {
    const bool edgeBlank = !text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                             text.back() == ' ' || text.back() == '\t');
    if (!edgeBlank && text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

std::string GridCsvText(const GridModel& grid) {
    std::string out;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            if (c > 0)
                out += ',';
            out += CsvField(grid.TextMatrix(r, c));
        }
        out += "\r\n";
    }
    return out;
}

} // namespace yarrow
