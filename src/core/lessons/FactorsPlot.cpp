#include "core/lessons/FactorsPlot.h"

#include "core/draw/DisplayList.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <array>

namespace yarrow {

namespace {

// Blue, red, green of the 16-colour palette, two pixels wide.
constexpr std::array<int16_t, 3> kColours = {1, 4, 2};

struct Series {
    const char* layer;
    const char* legend;
    std::vector<double> y;
};

double YearOf(Date d) {
    return 1970.0 + d.time_since_epoch().count() / 365.2425;
}

// Padded so the lines do not run along the frame; a flat or single-point range still gets a height.
void Frame(const std::vector<double>& x, const std::vector<Series>& series, DisplayList& plot) {
    double lo = series.front().y.front(), hi = lo;
    for (const Series& s : series)
        for (double v : s.y) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
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
    plot.SetDrawWidth(2);
    for (size_t c = 0; c < series.size(); ++c) {
        const Series& s = series[c];
        plot.SetLayer(s.layer, s.legend);
        plot.SetForeColor(kColours[c % kColours.size()]);
        const auto px = [&](size_t k) { return static_cast<float>(x[k]); };
        const auto py = [&](size_t k) { return static_cast<float>(s.y[k]); };
        if (x.size() == 1)
            plot.SetPoint(px(0), py(0));
        for (size_t k = 1; k < x.size(); ++k)
            plot.DrawSegment(px(k - 1), py(k - 1), px(k), py(k));
    }
    plot.SetLayer("", "");
}

} // namespace

void DrawFactorLoadings(const PcaResult& pca, DisplayList& plot) {
    plot.Clear();
    if (pca.series.empty() || pca.loadings.empty())
        return;
    std::vector<double> x;
    for (int s : pca.series)
        x.push_back(FactorSeriesMonths(s) / 12.0);
    std::vector<Series> series = {{"pc1", "PC1", {}}, {"pc2", "PC2", {}}, {"pc3", "PC3", {}}};
    series.resize(std::min(series.size(), pca.loadings.size()));
    for (size_t c = 0; c < series.size(); ++c)
        series[c].y = pca.loadings[c];
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
    std::vector<Series> series = {{"level", "Level", {}}, {"slope", "Slope", {}}, {"curvature", "Curvature", {}}};
    for (const DnsRow& r : rows) {
        x.push_back(YearOf(r.date));
        series[0].y.push_back(r.level);
        series[1].y.push_back(r.slope);
        series[2].y.push_back(r.curvature);
    }
    Frame(x, series, plot);
    plot.SetBoundText(DisplayList::kLeft, FormatDate(rows.front().date, "yyyy-mm-dd"));
    plot.SetBoundText(DisplayList::kRight, FormatDate(rows.back().date, "yyyy-mm-dd"));
    Draw(x, series, plot);
}

} // namespace yarrow
