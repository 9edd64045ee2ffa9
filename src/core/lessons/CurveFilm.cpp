#include "core/lessons/CurveFilm.h"

#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"

#include <algorithm>

namespace yarrow {

namespace {

constexpr int kTenYear = 7;

const char* CurveName(CurveType type) {
    switch (type) {
    case CurveType::YieldToMaturity:
        return "Yield to maturity";
    case CurveType::Zero:
        return "Zero";
    case CurveType::Forward:
        return "Forward";
    }
    return "";
}

} // namespace

FilmCurve FilmCurveOf(const CmtHistory& history, Date date, CurveType type, int16_t compFreq) {
    FilmCurve curve;
    curve.asked = date;
    const CmtDay day = history.DayOf(date);
    if (day.Empty())
        return curve;
    curve.quoteDate = day.quoteDate;
    int16_t shortRate = CmtHistory::kAbsent, tenYear = CmtHistory::kAbsent;
    for (const CmtObservation& o : day.rows) {
        if (shortRate == CmtHistory::kAbsent && o.series < kTenYear)
            shortRate = o.hundredths;
        if (o.series == kTenYear)
            tenYear = o.hundredths;
    }
    curve.inverted = shortRate != CmtHistory::kAbsent && tenYear != CmtHistory::kAbsent && shortRate > tenYear;
    try {
        Session session;
        GridModel grid;
        WriteCmtDay(day, grid, session);
        BuildBondTable(session, grid, FormatDate(day.quoteDate, session.DateFormat()));
        GridModel listing;
        FillCurvesListing(session, listing);
        ComputeCurve(session, listing, type, compFreq);
        for (int i = 1; i <= session.nBonds; ++i)
            curve.points.push_back({session.ZeroTimes(i), session.ZeroYields(i) * 100.0});
    } catch (const RuntimeError&) {
        curve.points.clear();
    }
    return curve;
}

std::vector<Date> FilmDates(const CmtHistory& history, Date from, Date to, SpreadStep step) {
    std::vector<Date> out;
    if (to < from || history.Size() == 0)
        return out;
    if (step == SpreadStep::kDaily) {
        const size_t before = history.IndexOnOrBefore(from - std::chrono::days(1));
        for (size_t k = before == history.Size() ? 0 : before + 1; k < history.Size() && history.DayAt(k) <= to; ++k)
            for (int s = 0; s < kFrbSeriesCount; ++s)
                if (history.RateAt(k, s) != CmtHistory::kAbsent) {
                    out.push_back(history.DayAt(k)); // a business day: some rate was published
                    break;
                }
        return out;
    }
    for (int n = 0;; ++n) {
        const Date d = step == SpreadStep::kWeekly ? from + std::chrono::days(7 * n) : AddMonths(from, n);
        if (d > to)
            break;
        out.push_back(d);
    }
    return out;
}

ChartRange FilmAxes(const CmtHistory& history, Date from, Date to) {
    int lo = INT16_MAX, hi = INT16_MIN;
    const size_t before = history.IndexOnOrBefore(from);
    for (size_t k = before == history.Size() ? 0 : before; k < history.Size() && history.DayAt(k) <= to; ++k)
        for (int s = 0; s < kFrbSeriesCount; ++s) {
            const int16_t v = history.RateAt(k, s);
            if (v != CmtHistory::kAbsent) {
                lo = std::min<int>(lo, v);
                hi = std::max<int>(hi, v);
            }
        }
    if (lo > hi)
        return {0, 30, 0, 10};
    // Room above and below for zero and forward rates, which stray past the par rates.
    const double low = lo / 100.0, high = hi / 100.0, pad = std::max(0.5, (high - low) * 0.15);
    const double step = NiceNumber((high - low + 2 * pad) / 6, true);
    return {0, 30, std::min(0.0, std::floor((low - pad) / step) * step), std::ceil((high + pad) / step) * step};
}

Chart FilmFrameChart(const FilmCurve& current, const std::vector<FilmCurve>& trail, const ChartRange& axes,
                     CurveType type) {
    Chart c;
    c.title = FormatDate(current.quoteDate == Date{} ? current.asked : current.quoteDate, "yyyy-mm-dd") +
              (current.inverted ? "  inverted" : "");
    c.xTitle = "Term (years)";
    c.yTitle = std::string(CurveName(type)) + " (%)";
    c.fixed = axes;
    for (size_t i = 0; i < trail.size(); ++i) {
        ChartSeries& s = c.series.emplace_back();
        s.cssClass = "trail";
        s.colour = kChartInk;
        s.width = 2;
        // Older curves fade: the newest of the trail at 45%, the oldest near 10%.
        s.opacity = 0.1 + 0.35 * static_cast<double>(i + 1) / static_cast<double>(trail.size());
        s.points = trail[i].points;
    }
    if (!trail.empty())
        c.series.back().name = "Previous " + std::to_string(trail.size());
    ChartSeries& s = c.series.emplace_back();
    s.name = current.inverted ? std::string(CurveName(type)) + ", inverted" : CurveName(type);
    s.cssClass = current.inverted ? "curve inverted" : "curve";
    s.colour = current.inverted ? kChartVermillion : kChartBlue;
    s.width = 3;
    s.points = current.points;
    return c;
}

} // namespace yarrow
