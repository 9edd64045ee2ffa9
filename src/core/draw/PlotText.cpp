#include "core/draw/PlotText.h"

#include "core/draw/Chart.h"
#include "core/draw/DisplayList.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace yarrow {

namespace {

std::string LayerCaption(const std::string& layer) {
    static const std::map<std::string, std::string> kCaptions = {{"ytm", "Yield to maturity curve"},
                                                                 {"zero", "Zero curve"},
                                                                 {"forward", "Forward curve"},
                                                                 {"ns", "Nelson-Siegel model"},
                                                                 {"spline", "Spline"}};
    const auto it = kCaptions.find(layer);
    if (it != kCaptions.end())
        return it->second;
    return layer.empty() ? std::string("Line") : layer;
}

// "A", "A and B", "A, B and C".
std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(name);
}

struct Range {
    double lo = INFINITY, hi = -INFINITY;
    void Add(double v) {
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    bool Empty() const { return lo > hi; }
};

// "0.23 to 31.52 years" but "0.12 % to 4.76 %": a word follows the range, a sign each number.
std::string RangeText(const Range& r, const std::string& unit) {
    const bool word = std::any_of(unit.begin(), unit.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
    return FormatFixed(r.lo, 2).append(word ? "" : unit).append(" to ").append(FormatFixed(r.hi, 2)).append(unit);
}

} // namespace

std::string PlotLineName(const std::string& layer, const std::string& legend) {
    const std::string caption = LayerCaption(layer);
    if (legend.empty())
        return caption;
    // A kept curve carries its day ("2024-01-02", "(no date)"); other pictures name the line.
    const bool day = std::isdigit(static_cast<unsigned char>(legend.front())) || legend.front() == '(';
    return day ? caption + ", " + legend : legend;
}

std::string PlotTable::Text() const {
    std::string text;
    auto line = [&text](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                text += '\t';
            text += cells[i];
        }
        text += '\n';
    };
    line(headings);
    for (const auto& row : rows)
        line(row);
    return text;
}

std::string DescribePlot(const DisplayList& plot, const PlotSubject& subject) {
    std::vector<std::string> names;
    Range x, y;
    for (const DisplayList::Line& line : plot.Lines()) {
        AddOnce(names, PlotLineName(line.layer, line.legend));
        for (const DisplayList::Point& p : line.points) {
            x.Add(p.x);
            y.Add(double(p.y) * subject.yScale);
        }
    }
    if (names.empty() || x.Empty())
        return "Empty plot";
    std::string text = JoinNames(names);
    for (const std::string& d : subject.details)
        text.append(", ").append(d);
    text.append(", ").append(RangeText(x, subject.xUnit));
    text.append(", ").append(RangeText(y, subject.yUnit));
    return text;
}

std::string DescribeChart(const Chart& chart) {
    std::string text = chart.title.empty() ? std::string("Chart") : chart.title;
    if (chart.heat) {
        const ChartHeatMap& h = *chart.heat;
        text.append(", heat map of ").append(std::to_string(h.Rows())).append(" rows by ");
        text.append(std::to_string(h.Columns())).append(" columns");
        if (h.Columns() > 0)
            text.append(", ").append(chart.XText(h.xEdges.front())).append(" to ").append(chart.XText(h.xEdges.back()));
        if (!h.colourBarTitle.empty())
            text.append(", ").append(h.colourBarTitle);
        text.append(" ").append(FormatFixed(h.low, 2)).append(" to ").append(FormatFixed(h.high, 2));
        return text;
    }
    std::vector<std::string> names;
    Range x, y;
    for (const ChartSeries& s : chart.series) {
        bool drawn = false;
        for (const ChartPoint& p : s.points)
            if (std::isfinite(p.x) && std::isfinite(p.y)) {
                x.Add(p.x);
                y.Add(p.y);
                drawn = true;
            }
        if (drawn && !s.name.empty())
            AddOnce(names, s.name);
    }
    if (x.Empty())
        return text + ", empty";
    if (!names.empty())
        text.append(": ").append(JoinNames(names));
    text.append("; ").append(chart.xTitle.empty() ? std::string("x") : chart.xTitle);
    text.append(" ").append(chart.XText(x.lo)).append(" to ").append(chart.XText(x.hi));
    text.append("; ").append(chart.yTitle.empty() ? std::string("y") : chart.yTitle);
    text.append(" ").append(FormatFixed(y.lo, 2)).append(" to ").append(FormatFixed(y.hi, 2));
    return text;
}

PlotTable PlotDataTable(const DisplayList& plot, const PlotSubject& subject) {
    PlotTable table;
    table.headings = {"Line", "Point", subject.xTitle, subject.yTitle};
    for (const DisplayList::Line& line : plot.Lines()) {
        const std::string name = PlotLineName(line.layer, line.legend);
        int n = 0;
        for (const DisplayList::Point& p : line.points)
            table.rows.push_back({name, std::to_string(++n), GeneralText(p.x),
                                  GeneralText(static_cast<float>(double(p.y) * subject.yScale))});
    }
    return table;
}

PlotTable ChartDataTable(const Chart& chart) {
    PlotTable table;
    if (chart.heat) {
        const ChartHeatMap& h = *chart.heat;
        table.headings = {"Row", "Column", chart.xTitle.empty() ? std::string("x") : chart.xTitle,
                          h.colourBarTitle.empty() ? std::string("Value") : h.colourBarTitle};
        for (size_t r = 0; r < h.Rows(); ++r)
            for (size_t c = 0; c < h.Columns(); ++c)
                if (std::isfinite(h.Value(r, c)))
                    table.rows.push_back({h.rowLabels[r], std::to_string(c + 1),
                                          c < h.columnLabels.size() ? h.columnLabels[c] : chart.XText(h.xEdges[c]),
                                          GeneralText(h.Value(r, c))});
        return table;
    }
    table.headings = {"Series", "Point", chart.xTitle.empty() ? std::string("x") : chart.xTitle,
                      chart.yTitle.empty() ? std::string("y") : chart.yTitle};
    int unnamed = 0;
    for (const ChartSeries& s : chart.series) {
        const std::string name = s.name.empty() ? std::string("Series ").append(std::to_string(++unnamed)) : s.name;
        int n = 0;
        for (const ChartPoint& p : s.points)
            if (std::isfinite(p.x) && std::isfinite(p.y))
                table.rows.push_back({name, std::to_string(++n), chart.XText(p.x), GeneralText(p.y)});
    }
    return table;
}

} // namespace yarrow
