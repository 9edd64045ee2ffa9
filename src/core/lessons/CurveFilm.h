#pragma once

#include "core/curves/CurvesListing.h"
#include "core/data/CmtHistory.h"
#include "core/draw/Chart.h"
#include "core/lessons/Spread.h"

#include <vector>

namespace yarrow {

// One frame's curve: the par bonds of the day's ten series built into a bond table as
// --history-date does, and the yields to maturity, zero or forward curve of that table.
struct FilmCurve {
    Date asked{};
    Date quoteDate{};
    std::vector<ChartPoint> points; // term in years, rate in percent
    // The short end (3M, or the shortest series present) above the 10-year.
    bool inverted = false;
    bool Empty() const { return points.empty(); }
};

// Empty when the history has no rates near `date` or the curve cannot be computed.
FilmCurve FilmCurveOf(const CmtHistory& history, Date date, CurveType type, int16_t compFreq = -1);

// The frames' dates: every business day of the history in [from, to] for a daily step, else from `from`
// every 7 days or every month (each frame then shows the history's day on or before it).
std::vector<Date> FilmDates(const CmtHistory& history, Date from, Date to, SpreadStep step);

// Axes that hold every par rate of the span: 0 to 30 years across, round rates up the side, so
// the film does not jump.
ChartRange FilmAxes(const CmtHistory& history, Date from, Date to);

// A frame: the trail (oldest first) fading behind the current curve, which is drawn in the
// warning colour when inverted; the date as the caption.
Chart FilmFrameChart(const FilmCurve& current, const std::vector<FilmCurve>& trail, const ChartRange& axes,
                     CurveType type);

} // namespace yarrow
