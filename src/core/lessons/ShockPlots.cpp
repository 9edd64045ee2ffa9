#include "ShockPlots.h"

#include "core/draw/DisplayList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace yarrow {

namespace {

constexpr int16_t kBlack = 0, kNavy = 1, kDarkRed = 4, kMagenta = 5, kBlue = 9;
constexpr int kSamples = 240;

std::string Number(double v, int decimals, const char* unit = "") {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f%s", decimals, v, unit);
    return buf;
}

struct Series {
    std::string layer, legend;
    int16_t colour = 0, width = 2;
    std::vector<DisplayList::Point> points;
};

// Draws the series on one scale that holds them all (with a little room above and below).
void DrawAll(DisplayList& picture, const std::vector<Series>& series, double left, double right,
             int yDecimals, const char* yUnit, int xDecimals, const char* xUnit) {
    double lo = INFINITY, hi = -INFINITY;
    for (const Series& s : series)
        for (const DisplayList::Point& p : s.points)
            if (std::isfinite(p.y)) {
                lo = std::min(lo, static_cast<double>(p.y));
                hi = std::max(hi, static_cast<double>(p.y));
            }
    if (!(lo <= hi)) {
        lo = 0;
        hi = 1;
    }
    const double pad = hi > lo ? (hi - lo) * 0.05 : std::max(0.5, std::fabs(hi) * 0.05);
    lo -= pad;
    // Room at the top for the legend, which sits in the top-left corner.
    hi += pad + (hi - lo) * 0.25;
    picture.Clear();
    picture.SetUserScale(static_cast<float>(left), static_cast<float>(hi), static_cast<float>(right),
                         static_cast<float>(lo));
    for (const Series& s : series) {
        picture.SetLayer(s.layer, s.legend);
        picture.SetForeColor(s.colour);
        picture.SetDrawWidth(s.width);
        for (size_t i = 1; i < s.points.size(); ++i)
            picture.DrawSegment(s.points[i - 1].x, s.points[i - 1].y, s.points[i].x, s.points[i].y);
    }
    picture.SetBoundText(DisplayList::kTop, Number(hi, yDecimals, yUnit));
    picture.SetBoundText(DisplayList::kBottom, Number(lo, yDecimals, yUnit));
    picture.SetBoundText(DisplayList::kLeft, Number(left, xDecimals, xUnit));
    picture.SetBoundText(DisplayList::kRight, Number(right, xDecimals, xUnit));
}

Series Sample(std::string layer, std::string legend, int16_t colour, int16_t width, double left, double right,
              const std::function<double(double)>& f) {
    Series s{std::move(layer), std::move(legend), colour, width, {}};
    for (int i = 0; i <= kSamples; ++i) {
        const double x = left + (right - left) * i / kSamples;
        s.points.push_back({static_cast<float>(x), static_cast<float>(f(x))});
    }
    return s;
}

std::string SignedBp(double bp) {
    std::string text = bp >= 0 ? "+" : "";
    return text.append(Number(bp, 0, " bp"));
}

} // namespace

void DrawShockCurve(DisplayList& picture, const ZeroCurveKnots& curve, const ShockKnots& shock) {
    double right = 0;
    for (double t : curve.times)
        right = std::max(right, t);
    for (const ShockKnot& k : shock)
        right = std::max(right, k.years);
    if (!(right > 0))
        right = 30;
    std::string legend = "Shocked";
    if (shock.size() == 1)
        legend.append(" ").append(SignedBp(shock[0].bp));
    DrawAll(picture,
            {Sample("zero", "Zero curve", kNavy, 2, 0, right,
                    [&](double t) { return 100 * ZeroRateAt(curve, t); }),
             Sample("shocked", legend, kDarkRed, 2, 0, right,
                    [&](double t) { return 100 * (ZeroRateAt(curve, t) + ShockAt(shock, t) / 10000); })},
            0, right, 2, "%", 1, " y");
}

void DrawPriceYield(DisplayList& picture, const CurveBond& bond, const ShockRow& shocked) {
    const double y0 = bond.y0;
    if (!std::isfinite(y0)) {
        picture.Clear();
        return;
    }
    const double left = y0 - 0.03, right = y0 + 0.03;
    const double p0 = bond.value, d = bond.dollarDuration, c = bond.dollarConvexity;
    std::vector<Series> series{
        Sample("price", "Price", kBlack, 3, 100 * left, 100 * right,
               [&](double x) { return FlowsValueAtYield(bond.flows, x / 100); }),
        Sample("duration", "Duration tangent", kBlue, 2, 100 * left, 100 * right,
               [&](double x) { return p0 - d * (x / 100 - y0); }),
        Sample("convexity", "Duration + convexity", kDarkRed, 2, 100 * left, 100 * right, [&](double x) {
            const double dy = x / 100 - y0;
            return p0 - d * dy + c * dy * dy / 2;
        })};
    if (std::isfinite(shocked.y1) && std::isfinite(shocked.shocked)) {
        // A cross a hundredth of the ranges wide at the shocked yield and value.
        const double x = 100 * shocked.y1, y = shocked.shocked;
        const double hx = 0.06, hy = std::max(0.01, 0.02 * p0);
        series.push_back(
            {"marker", "Shocked yield", kMagenta, 2, {{float(x - hx), float(y)}, {float(x + hx), float(y)}}});
        series.push_back(
            {"marker", "Shocked yield", kMagenta, 2, {{float(x), float(y - hy)}, {float(x), float(y + hy)}}});
    }
    DrawAll(picture, series, 100 * left, 100 * right, 2, "", 2, "%");
}

} // namespace yarrow
