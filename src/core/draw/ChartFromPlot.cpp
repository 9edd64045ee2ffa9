#include "core/draw/ChartFromPlot.h"

#include "core/draw/DisplayList.h"

#include <algorithm>
#include <map>

namespace yarrow {

namespace {

std::string LayerCaption(const std::string& layer) {
    static const std::map<std::string, std::string> kCaptions = {{"ytm", "Yield to maturity"},
                                                                 {"zero", "Zero"},
                                                                 {"forward", "Forward"},
                                                                 {"ns", "Nelson-Siegel"},
                                                                 {"spline", "Spline"}};
    const auto it = kCaptions.find(layer);
    return it != kCaptions.end() ? it->second : layer;
}

} // namespace

Chart ChartFromPlot(const DisplayList& plot) {
    Chart chart;
    chart.xTitle = "Term (years)";
    chart.yTitle = "Rate";
    std::vector<std::string> names;
    for (const DisplayList::Line& line : plot.Lines()) {
        std::string name = LayerCaption(line.layer);
        if (!line.legend.empty())
            name = line.legend + (name.empty() ? "" : " " + name);
        auto it = std::find(names.begin(), names.end(), name);
        const int k = static_cast<int>(it - names.begin());
        if (it == names.end())
            names.push_back(name);
        ChartSeries& s = chart.series.emplace_back();
        s.name = name;
        s.cssClass = line.layer;
        const ChartSeriesLook look = SeriesLook(k);
        s.colour = look.colour;
        s.style = look.style;
        s.width = std::max<double>(2, line.width);
        for (const DisplayList::Point& p : line.points)
            s.points.push_back({p.x, p.y});
    }
    const DisplayList::Scale& sc = plot.UserScale();
    ChartRange r{std::min<double>(sc.left, sc.right), std::max<double>(sc.left, sc.right),
                 std::min<double>(sc.top, sc.bottom), std::max<double>(sc.top, sc.bottom)};
    if (r.Valid() && !plot.Lines().empty())
        chart.fixed = r;
    return chart;
}

} // namespace yarrow
