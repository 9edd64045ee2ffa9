#include "core/draw/Chart.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

namespace yarrow {

namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

year_month_day Ymd(double x) {
    return year_month_day{sys_days{days{static_cast<long>(std::floor(x))}}};
}
double Serial(int y, unsigned m, unsigned d) {
    return static_cast<double>(sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count());
}

std::string IsoText(double x) {
    const year_month_day ymd = Ymd(x);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()));
    return buf;
}

// Shortest text of a tick value given the tick step.
std::string NumberText(double v, double step) {
    int decimals = 0;
    while (decimals < 8 && std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    if (std::fabs(v) < step * 1e-9)
        v = 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string ValueText(double v) {
    if (!std::isfinite(v))
        return {};
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

} // namespace

ChartSeriesLook SeriesLook(int i) {
    static constexpr int kOrder[] = {kChartBlue,    kChartVermillion, kChartGreen, kChartOrange,
                                     kChartPurple,  kChartSkyBlue,    kChartInk,   kChartYellow};
    static constexpr ChartLineStyle kStyles[] = {ChartLineStyle::kSolid, ChartLineStyle::kDash,
                                                 ChartLineStyle::kDot, ChartLineStyle::kDashDot};
    const int k = std::max(i, 0);
    // Neighbours differ in colour and in dash, so a grey-scale print still tells them apart.
    return {kOrder[k % 8], kStyles[(k + k / 8) % 4]};
}

size_t ChartHeatMap::ColumnAt(double x) const {
    if (xEdges.size() < 2 || !(x >= xEdges.front()) || !(x < xEdges.back()))
        return Columns();
    return static_cast<size_t>(std::upper_bound(xEdges.begin(), xEdges.end(), x) - xEdges.begin()) - 1;
}

double NiceNumber(double x, bool round) {
    if (!(x > 0) || !std::isfinite(x))
        return 1;
    const double exponent = std::floor(std::log10(x));
    const double power = std::pow(10.0, exponent);
    const double f = x / power;
    double nice = 10;
    if (round)
        nice = f < 1.5 ? 1 : f < 3 ? 2 : f < 7 ? 5 : 10;
    else
        nice = f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10;
    return nice * power;
}

std::vector<ChartTick> AxisTicks(ChartAxisKind kind, double lo, double hi, int target) {
    std::vector<ChartTick> ticks;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo))
        return ticks;
    target = std::max(target, 2);
    if (kind == ChartAxisKind::kDate) {
        const double spanYears = (hi - lo) / 365.25;
        if (spanYears / target >= 0.75) {
            const int step = std::max(1, static_cast<int>(NiceNumber(spanYears / target, true)));
            const int y0 = int(Ymd(lo).year());
            for (int y = y0 - y0 % step; y <= int(Ymd(hi).year()) + 1; y += step) {
                const double v = Serial(y, 1, 1);
                if (v >= lo && v <= hi)
                    ticks.push_back({v, std::to_string(y)});
            }
            return ticks;
        }
        const double spanMonths = spanYears * 12;
        if (spanMonths / target >= 0.75) {
            static constexpr int kSteps[] = {1, 2, 3, 6, 12};
            int step = 12;
            for (int s : kSteps)
                if (spanMonths / s <= target) {
                    step = s;
                    break;
                }
            const year_month_day a = Ymd(lo);
            int m = int(a.year()) * 12 + int(unsigned(a.month())) - 1;
            m -= m % step;
            for (;; m += step) {
                const double v = Serial(m / 12, unsigned(m % 12 + 1), 1);
                if (v > hi)
                    break;
                if (v >= lo) {
                    char buf[16];
                    std::snprintf(buf, sizeof buf, "%04d-%02d", m / 12, m % 12 + 1);
                    ticks.push_back({v, buf});
                }
            }
            return ticks;
        }
        const double step = std::max(1.0, NiceNumber((hi - lo) / target, true));
        for (double v = std::ceil(lo / step) * step; v <= hi; v += step)
            ticks.push_back({v, IsoText(v)});
        return ticks;
    }
    const double step = NiceNumber((hi - lo) / target, true);
    const double first = std::ceil(lo / step - 1e-9);
    for (int i = 0; i < 1000; ++i) {
        const double v = (first + i) * step;
        if (v > hi + step * 1e-9)
            break;
        ticks.push_back({v, NumberText(v, step)});
    }
    return ticks;
}

uint32_t ViridisRgb(double t) {
    // A polynomial fit of the viridis map, close to its table within a unit of eight bits.
    static constexpr double c[7][3] = {{0.2777273272234177, 0.005407344544966578, 0.3340998053353061},
                                       {0.1050930431085774, 1.404613529898575, 1.384590162594685},
                                       {-0.3308618287255563, 0.214847559468213, 0.09509516302823659},
                                       {-4.634230498983486, -5.799100973351585, -19.33244095627987},
                                       {6.228269936347081, 14.17993336680509, 56.69055260068105},
                                       {4.776384997670288, -13.74514537774601, -65.35303263337234},
                                       {-5.435455855934631, 4.645852612178535, 26.3124352495832}};
    if (!std::isfinite(t))
        t = 0;
    t = std::clamp(t, 0.0, 1.0);
    uint32_t rgb = 0;
    for (int k = 0; k < 3; ++k) {
        double v = c[6][k];
        for (int i = 5; i >= 0; --i)
            v = c[i][k] + t * v;
        rgb = (rgb << 8) | static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    }
    return rgb;
}

ChartRange Chart::DataRange() const {
    if (heat && heat->Columns() > 0 && heat->Rows() > 0)
        return {heat->xEdges.front(), heat->xEdges.back(), 0, static_cast<double>(heat->Rows())};
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (const ChartSeries& s : series)
        for (const ChartPoint& p : s.points) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                continue;
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
    for (const ChartBand& b : bands) {
        if (std::isfinite(b.y0) && std::isfinite(b.y1)) {
            y0 = std::min({y0, b.y0, b.y1});
            y1 = std::max({y1, b.y0, b.y1});
        }
    }
    if (!(x1 >= x0))
        return {};
    if (x1 == x0) {
        x0 -= 1;
        x1 += 1;
    }
    if (y1 == y0) {
        y0 -= std::max(1.0, std::fabs(y0) * 0.1);
        y1 += std::max(1.0, std::fabs(y1) * 0.1);
    }
    ChartRange r{x0, x1, y0, y1};
    // The value axis opens to the round ticks around the data; dates keep their span.
    const double step = NiceNumber((y1 - y0) / 6, true);
    r.yMin = std::floor(y0 / step + 1e-9) * step;
    r.yMax = std::ceil(y1 / step - 1e-9) * step;
    if (xKind == ChartAxisKind::kNumber) {
        const double xs = NiceNumber((x1 - x0) / 8, true);
        r.xMin = std::floor(x0 / xs + 1e-9) * xs;
        r.xMax = std::ceil(x1 / xs - 1e-9) * xs;
    }
    return r;
}

std::string Chart::XText(double x) const {
    return xKind == ChartAxisKind::kDate ? IsoText(x) : ValueText(x);
}

std::string Chart::DataText() const {
    std::ostringstream o;
    const std::string xName = xTitle.empty() ? std::string("X") : xTitle;
    if (heat) {
        o << "Date\tSeries\tRate\n";
        for (size_t c = 0; c < heat->Columns(); ++c)
            for (size_t r = 0; r < heat->Rows(); ++r) {
                const double v = heat->Value(r, c);
                if (std::isfinite(v))
                    o << (c < heat->columnLabels.size() ? heat->columnLabels[c] : XText(heat->xEdges[c])) << '\t'
                      << heat->rowLabels[r] << '\t' << ValueText(v) << '\n';
            }
        return o.str();
    }
    bool shared = !series.empty();
    for (const ChartSeries& s : series) {
        if (s.points.size() != series.front().points.size()) {
            shared = false;
            break;
        }
        for (size_t i = 0; i < s.points.size(); ++i)
            if (s.points[i].x != series.front().points[i].x) {
                shared = false;
                break;
            }
    }
    auto nameOf = [](const ChartSeries& s, size_t i) { return s.name.empty() ? "Series " + std::to_string(i + 1) : s.name; };
    if (shared) {
        o << xName;
        for (size_t i = 0; i < series.size(); ++i)
            o << '\t' << nameOf(series[i], i);
        o << '\n';
        for (size_t k = 0; k < series.front().points.size(); ++k) {
            o << XText(series.front().points[k].x);
            for (const ChartSeries& s : series)
                o << '\t' << ValueText(s.points[k].y);
            o << '\n';
        }
        return o.str();
    }
    o << "Series\t" << xName << '\t' << (yTitle.empty() ? std::string("Y") : yTitle) << '\n';
    for (size_t i = 0; i < series.size(); ++i)
        for (const ChartPoint& p : series[i].points)
            if (std::isfinite(p.y))
                o << nameOf(series[i], i) << '\t' << XText(p.x) << '\t' << ValueText(p.y) << '\n';
    return o.str();
}

} // namespace yarrow
