#include "core/lessons/LessonCharts.h"

#include <algorithm>

namespace yarrow {

double ChartDay(Date d) {
    return static_cast<double>(d.time_since_epoch().count());
}

Chart SpreadChart(const SpreadRequest& request, const std::vector<SpreadPoint>& points,
                  const std::vector<Inversion>& inversions, const std::vector<Recession>& recessions) {
    Chart c;
    c.xKind = ChartAxisKind::kDate;
    c.xTitle = "Date";
    c.yTitle = "Spread (percentage points)";
    ChartSeries& s = c.series.emplace_back();
    s.name = SpreadLegend(request, points);
    s.cssClass = "spread";
    s.colour = kChartBlue;
    s.width = 2;
    for (size_t i = 0; i < points.size(); ++i) {
        // A gap of more than a month in the data is a gap in the line.
        if (i > 0 && (points[i].date - points[i - 1].date).count() > 40)
            s.points.push_back({ChartDay(points[i].date), kChartNoValue});
        s.points.push_back({ChartDay(points[i].date), points[i].Spread() / 100.0});
    }
    for (const Inversion& inv : inversions)
        c.bands.push_back({ChartDay(inv.first), ChartDay(inv.last) + 1, kChartNoValue, kChartNoValue, kChartVermillion,
                           0.3, "inversion", "Inversion (spread below zero)"});
    if (!points.empty()) {
        const Date first = points.front().date, last = points.back().date;
        for (const Recession& r : recessions)
            if (r.End() >= first && r.Start() <= last)
                c.bands.push_back({ChartDay(std::max(r.Start(), first)), ChartDay(std::min(r.End(), last)) + 1,
                                   kChartNoValue, kChartNoValue, kChartInk, 0.18, "recession", "US recession"});
    }
    return c;
}

Chart CurveMapChart(const CmtHistory& history, Date from, Date to, SpreadStep step) {
    Chart c;
    c.xKind = ChartAxisKind::kDate;
    c.xTitle = "Date";
    c.yTitle = "Maturity";
    ChartHeatMap h;
    h.colourBarTitle = "Rate (%)";
    for (int s = 0; s < kFrbSeriesCount; ++s)
        h.rowLabels.push_back(SeriesLabel(s));
    std::vector<std::array<int16_t, kFrbSeriesCount>> columns;
    std::vector<Date> dates;
    if (step == SpreadStep::kDaily) {
        const size_t before = history.IndexOnOrBefore(from - std::chrono::days(1));
        for (size_t k = before == history.Size() ? 0 : before + 1; k < history.Size() && history.DayAt(k) <= to; ++k) {
            std::array<int16_t, kFrbSeriesCount> rates{};
            bool any = false;
            for (int s = 0; s < kFrbSeriesCount; ++s) {
                rates[static_cast<size_t>(s)] = history.RateAt(k, s);
                any = any || rates[static_cast<size_t>(s)] != CmtHistory::kAbsent;
            }
            // A holiday line of the file is no column: the day before reaches over it.
            if (!any)
                continue;
            dates.push_back(history.DayAt(k));
            columns.push_back(rates);
        }
    } else {
        for (int n = 0; history.Size() > 0; ++n) {
            const Date d = step == SpreadStep::kWeekly ? from + std::chrono::days(7 * n) : AddMonths(from, n);
            if (d > to)
                break;
            std::array<int16_t, kFrbSeriesCount> rates{};
            rates.fill(CmtHistory::kAbsent);
            for (const CmtObservation& o : history.DayOf(d).rows)
                rates[static_cast<size_t>(o.series)] = o.hundredths;
            dates.push_back(d);
            columns.push_back(rates);
        }
    }
    const size_t n = dates.size();
    h.values.assign(n * kFrbSeriesCount, kChartNoValue);
    int lo = INT16_MAX, hi = INT16_MIN;
    for (size_t k = 0; k < n; ++k) {
        // A column reaches to the next date; the last one covers its own step. Its left edge is
        // its date, which the date axis writes as the cell's label.
        h.xEdges.push_back(ChartDay(dates[k]));
        for (int s = 0; s < kFrbSeriesCount; ++s) {
            const int16_t v = columns[k][static_cast<size_t>(s)];
            if (v == CmtHistory::kAbsent)
                continue;
            h.values[static_cast<size_t>(s) * n + k] = v / 100.0;
            lo = std::min<int>(lo, v);
            hi = std::max<int>(hi, v);
        }
    }
    if (n > 0) {
        const int last = step == SpreadStep::kDaily ? 1 : step == SpreadStep::kWeekly ? 7 : 30;
        h.xEdges.push_back(ChartDay(dates.back()) + last);
    }
    if (lo <= hi) {
        h.low = std::min(0.0, std::floor(lo / 100.0));
        h.high = std::max(h.low + 1, std::ceil(hi / 100.0));
    }
    c.heat = std::move(h);
    return c;
}

} // namespace yarrow
