#include "core/data/FrbSeries.h"

#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/text/Dates.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace yarrow {

namespace {

constexpr int kName = 1;
constexpr int kCoupon = 2;
constexpr int kMaturity = 3;
constexpr int kPrice = 4;

// Splits at every line break; CR LF counts as one break, and a browser may have turned the file's
// CR LF into LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        pieces.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t comma = line.find(','); comma != std::string_view::npos; comma = line.find(',', start)) {
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// A line without the markup a browser puts around a plain-text file (the opening tag of the
// preformatted block before the first line, its closing tag after the last).
std::string_view WithoutMarkup(std::string_view line) {
    while (!line.empty() && line.back() == '>') {
        const size_t open = line.rfind('<');
        if (open == std::string_view::npos)
            break;
        line = line.substr(0, open);
    }
    while (!line.empty() && line.front() == '<') {
        const size_t close = line.find('>');
        if (close == std::string_view::npos)
            break;
        line.remove_prefix(close + 1);
    }
    return line;
}

// The file's last observation: the last line holding more than markup and blanks, whether or not
// a line break follows it. A body without one raises SubscriptOutOfRange.
std::string_view LastObservationLine(std::string_view body) {
    const auto pieces = SplitLines(body);
    for (size_t k = pieces.size(); k-- > 0;) {
        const std::string_view line = WithoutMarkup(pieces[k]);
        if (line.find_first_not_of(" \t") != std::string_view::npos)
            return line;
    }
    throw RuntimeError::SubscriptOutOfRange();
}

std::string RateText(std::string_view field) {
    return FormatFixed(SafeSingle(field), 4);
}

} // namespace

const std::array<FrbSeries, kFrbSeriesCount>& FrbSeriesTable() {
    static const std::array<FrbSeries, kFrbSeriesCount> table{{
        {"H15_TCMNOM_M3", 2, true, 3, "3TD"},
        {"H15_TCMNOM_M6", 3, true, 6, "6TD"},
        {"H15_TCMNOM_Y1", 4, false, 1, "1"},
        {"H15_TCMNOM_Y2", 5, false, 2, "2"},
        {"H15_TCMNOM_Y3", 6, false, 3, "3"},
        {"H15_TCMNOM_Y5", 7, false, 5, "5"},
        {"H15_TCMNOM_Y7", 8, false, 7, "7"},
        {"H15_TCMNOM_Y10", 9, false, 10, "10"},
        {"H15_TCMNOM_Y20", 10, false, 20, "20"},
        {"H15_TCMNOM_Y30", 11, false, 30, "30"},
    }};
    return table;
}

std::string FrbSeriesFileName(int i) {
    if (i < 0 || i >= kFrbSeriesCount)
        throw RuntimeError::SubscriptOutOfRange();
    return std::string(FrbSeriesTable()[static_cast<size_t>(i)].name) + "_2010.txt";
}

void BeginFrbYieldCurve(GridModel& grid, Session& session) {
    grid.Clear();
    grid.SetRows(12);
    grid.SetCols(5);
    session.quoteDate.clear();
}

void ReadFrbSeriesBody(int i, std::string_view body, GridModel& grid, Session& session) {
    if (i < 0 || i >= kFrbSeriesCount)
        throw RuntimeError::SubscriptOutOfRange();
    const FrbSeries& series = FrbSeriesTable()[static_cast<size_t>(i)];

    const auto fields = SplitFields(LastObservationLine(body));
    if (session.quoteDate.empty())
        session.quoteDate = std::string(fields[0]);
    if (fields.size() < 2)
        throw RuntimeError::SubscriptOutOfRange();
    const std::string_view rate = fields[1];
    const int row = series.row;

    if (series.bill) {
        grid.SetTextMatrix(row, kName, series.rowName);
        grid.SetTextMatrix(row, kCoupon, "0");
        const Date quoteDate = CDate(session.quoteDate, session.dateOrder);
        grid.SetTextMatrix(row, kMaturity, ShortDate(AddMonths(quoteDate, series.term), session.dateOrder));
        grid.SetTextMatrix(row, kPrice, RateText(rate));
    } else {
        grid.SetTextMatrix(row, kName, series.rowName);
        grid.SetTextMatrix(row, kCoupon, RateText(rate));
        grid.SetTextMatrix(row, kPrice, "100");
        const Date quoteDate = CDate(session.quoteDate, session.dateOrder);
        grid.SetTextMatrix(row, kMaturity, ShortDate(AddYears(quoteDate, series.term), session.dateOrder));
    }
}

void GrabFRBYieldCurve(const std::function<std::string(int i)>& fetchBody, GridModel& grid,
                       Session& session) {
    BeginFrbYieldCurve(grid, session);
    for (int i = 0; i < kFrbSeriesCount; ++i)
        ReadFrbSeriesBody(i, fetchBody(i), grid, session);
}

void GrabFRBYieldCurveFromFolder(const std::string& folder, GridModel& grid, Session& session) {
    GrabFRBYieldCurve(
        [&folder](int i) {
            std::ifstream in(std::filesystem::path(folder) / FrbSeriesFileName(i), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            return text.str();
        },
        grid, session);
}

} // namespace yarrow
