#include "core/lessons/FactorsPlot.h"

#include "core/draw/DisplayList.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace yarrow {

namespace {

// Blue, red, green of the 16-colour palette.
constexpr std::array<int16_t, 3> kColours = {1, 4, 2};

struct Series {
    std::string layer;
    std::string legend;
    std::vector<double> y;
    int16_t colour = 1;
    int16_t width = 2;
};

double YearOf(Date d) {
    return 1970.0 + d.time_since_epoch().count() / 365.2425;
}

// Padded so the lines do not run along the frame; a flat or single-point range still gets a height.
void Frame(const std::vector<double>& x, const std::vector<Series>& series, DisplayList& plot) {
    double lo = INFINITY, hi = -INFINITY;
    for (const Series& s : series)
        for (double v : s.y)
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
    if (!(hi >= lo))
        lo = hi = 0;
    const double pad = hi > lo ? (hi - lo) * 0.05 : 0.5;
    double left = x.front(), right = x.back();
    if (!(right > left)) {
        left -= 0.5;
        right += 0.5;
    }
    plot.SetUserScale(static_cast<float>(left), static_cast<float>(hi + pad), static_cast<float>(right),
                      static_cast<float>(lo - pad));
    plot.SetBoundText(DisplayList::kTop, FormatFixed(hi + pad, 2));
    plot.SetBoundText(DisplayList::kBottom, FormatFixed(lo - pad, 2));
}

void Draw(const std::vector<double>& x, const std::vector<Series>& series, DisplayList& plot) {
    for (const Series& s : series) {
        plot.SetLayer(s.layer, s.legend);
        plot.SetForeColor(s.colour);
        plot.SetDrawWidth(s.width);
        const auto px = [&](size_t k) { return static_cast<float>(x[k]); };
        const auto py = [&](size_t k) { return static_cast<float>(s.y[k]); };
        const auto ok = [&](size_t k) { return std::isfinite(s.y[k]); };
        for (size_t k = 0; k < x.size(); ++k) {
            const bool joined = k > 0 && ok(k - 1);
            if (ok(k) && joined)
                plot.DrawSegment(px(k - 1), py(k - 1), px(k), py(k));
            else if (ok(k) && !(k + 1 < x.size() && ok(k + 1)))
                plot.SetPoint(px(k), py(k)); // a point alone between gaps
        }
    }
    plot.SetLayer("", "");
}

void DatesOnBounds(const std::vector<Date>& dates, DisplayList& plot) {
    plot.SetBoundText(DisplayList::kLeft, FormatDate(dates.front(), "yyyy-mm-dd"));
    plot.SetBoundText(DisplayList::kRight, FormatDate(dates.back(), "yyyy-mm-dd"));
}

} // namespace

void DrawFactorLoadings(const PcaResult& pca, DisplayList& plot) {
    plot.Clear();
    if (pca.series.empty() || pca.loadings.empty())
        return;
    std::vector<double> x;
    for (int s : pca.series)
        x.push_back(FactorSeriesMonths(s) / 12.0);
    std::vector<Series> series;
    for (size_t c = 0; c < kColours.size() && c < pca.loadings.size(); ++c) {
        const std::string n = std::to_string(c + 1);
        series.push_back({"pc" + n, "PC" + n, pca.loadings[c], kColours[c]});
    }
    Frame(x, series, plot);
    plot.SetBoundText(DisplayList::kLeft, GeneralText(x.front()));
    plot.SetBoundText(DisplayList::kRight, GeneralText(x.back()));
    Draw(x, series, plot);
}

void DrawDnsBetas(const std::vector<DnsRow>& rows, DisplayList& plot) {
    plot.Clear();
    if (rows.empty())
        return;
    std::vector<double> x;
    std::vector<Date> dates;
    std::vector<Series> series = {{"level", "Level", {}, kColours[0]},
                                  {"slope", "Slope", {}, kColours[1]},
                                  {"curvature", "Curvature", {}, kColours[2]}};
    for (const DnsRow& r : rows) {
        dates.push_back(r.date);
        x.push_back(YearOf(r.date));
        series[0].y.push_back(r.level);
        series[1].y.push_back(r.slope);
        series[2].y.push_back(r.curvature);
    }
    Frame(x, series, plot);
    DatesOnBounds(dates, plot);
    Draw(x, series, plot);
}

} // namespace yarrow
