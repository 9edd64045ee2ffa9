#include "core/data/FrbSeries.h"

#include "core/data/DataGridColumns.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/text/Dates.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"
#include "core/text/TextSplit.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace yarrow {

namespace {

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

    const auto fields = SplitText(LastObservationLine(body), ',');
    if (session.quoteDate.empty())
        session.quoteDate = std::string(fields[0]);
    if (fields.size() < 2)
        throw RuntimeError::SubscriptOutOfRange();
    WriteFrbSeriesRow(i, series.row, fields[1], grid, session);
}

void WriteFrbSeriesRow(int i, int row, std::string_view rate, GridModel& grid, const Session& session) {
    if (i < 0 || i >= kFrbSeriesCount)
        throw RuntimeError::SubscriptOutOfRange();
    const FrbSeries& series = FrbSeriesTable()[static_cast<size_t>(i)];
    // The cells go in this order so that a quote date that is not a date leaves the same cells
    // written as before.
    auto maturity = [&](bool months) {
        const Date quoteDate = CDate(session.quoteDate, session.dateOrder);
        const Date m = months ? AddMonths(quoteDate, series.term) : AddYears(quoteDate, series.term);
        grid.SetTextMatrix(row, cMaturity, ShortDate(m, session.dateOrder));
    };
    grid.SetTextMatrix(row, cName, series.rowName);
    if (series.bill) {
        grid.SetTextMatrix(row, cCoupon, "0");
        maturity(true);
        grid.SetTextMatrix(row, cPrice, RateText(rate));
    } else {
        grid.SetTextMatrix(row, cCoupon, RateText(rate));
        grid.SetTextMatrix(row, cPrice, "100");
        maturity(false);
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
