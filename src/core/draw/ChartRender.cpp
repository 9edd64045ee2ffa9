#include "core/draw/ChartRender.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace yarrow {

namespace {

constexpr double kCharWidth = 0.58; // of the font's pixel size, for layout without a font engine

double TextWidth(const std::string& text, double pixels) {
    size_t chars = 0;
    for (unsigned char c : text)
        chars += (c & 0xC0) != 0x80; // count UTF-8 code points
    return static_cast<double>(chars) * pixels * kCharWidth;
}

struct LegendItem {
    std::string text;
    int colour = 0;
    ChartLineStyle style = ChartLineStyle::kSolid;
    double width = 2;
    bool band = false;
    double opacity = 1;
};

std::vector<LegendItem> LegendOf(const Chart& chart) {
    std::vector<LegendItem> items;
    auto seen = [&](const std::string& t) {
        return std::any_of(items.begin(), items.end(), [&](const LegendItem& i) { return i.text == t; });
    };
    for (const ChartSeries& s : chart.series)
        if (!s.name.empty() && !seen(s.name))
            items.push_back({s.name, s.colour, s.style, s.width, false, s.opacity});
    for (const ChartBand& b : chart.bands)
        if (!b.legend.empty() && !seen(b.legend))
            items.push_back({b.legend, b.colour, ChartLineStyle::kSolid, 2, true, b.opacity});
    return items;
}

ChartRange RangeOf(const Chart& chart, const ChartRange* view) {
    if (view && view->Valid())
        return *view;
    if (chart.fixed && chart.fixed->Valid())
        return *chart.fixed;
    return chart.DataRange();
}

std::vector<ChartTick> YTicks(const Chart& chart, const ChartLayout& l) {
    if (!chart.heat)
        return AxisTicks(ChartAxisKind::kNumber, l.range.yMin, l.range.yMax,
                         std::max(3, static_cast<int>(l.plotH / (l.fontPixels * 3))));
    std::vector<ChartTick> ticks;
    for (size_t r = 0; r < chart.heat->Rows(); ++r) {
        const double v = static_cast<double>(r) + 0.5;
        if (v >= l.range.yMin && v <= l.range.yMax)
            ticks.push_back({v, chart.heat->rowLabels[r]});
    }
    return ticks;
}

std::vector<ChartTick> XTicks(const Chart& chart, const ChartLayout& l) {
    const double label = chart.xKind == ChartAxisKind::kDate ? 10 : 6;
    const int target = std::max(2, static_cast<int>(l.plotW / (label * l.fontPixels * kCharWidth + l.fontPixels * 2)));
    return AxisTicks(chart.xKind, l.range.xMin, l.range.xMax, target);
}

std::string Number(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.4g", v);
    return buf;
}

// Far-off points are clamped so back ends with fixed-point arithmetic keep the segment's direction.
double Clamp(double v) {
    return std::isfinite(v) ? std::clamp(v, -1.0e6, 1.0e6) : 0.0;
}

} // namespace

uint32_t ChartTheme::Colour(int index) const {
    const uint32_t rgb = kOkabeIto[static_cast<size_t>(((index % 8) + 8) % 8)];
    if (index % 8 == kChartInk)
        return text;
    if (!IsDark())
        return rgb;
    // Mix a quarter of white in: the blue and the vermillion are too dim on a dark ground.
    uint32_t out = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const uint32_t c = (rgb >> shift) & 0xFF;
        out = (out << 8) | (c + (255 - c) / 4);
    }
    return out;
}

bool ChartTheme::IsDark() const {
    const double luma = 0.299 * ((background >> 16) & 0xFF) + 0.587 * ((background >> 8) & 0xFF) +
                        0.114 * (background & 0xFF);
    return luma < 128;
}

ChartLayout LayoutChart(const Chart& chart, double width, double height, const ChartRange* view) {
    ChartLayout l;
    l.width = width;
    l.height = height;
    l.fontPixels = std::max(15.0, std::min(width, height) / 72.0);
    l.range = RangeOf(chart, view);
    l.yDown = chart.heat.has_value();
    const double f = l.fontPixels;
    const double edge = f * 0.6;

    // The y labels at the data range: their width sets the left margin.
    double yLabel = 0;
    {
        ChartLayout probe = l;
        probe.plotH = std::max(1.0, height - 5 * f);
        for (const ChartTick& t : YTicks(chart, probe))
            yLabel = std::max(yLabel, TextWidth(t.label, f));
    }
    double right = f * 1.5;
    if (chart.heat) {
        const std::vector<ChartTick> bar = AxisTicks(ChartAxisKind::kNumber, chart.heat->low, chart.heat->high, 6);
        double w = 0;
        for (const ChartTick& t : bar)
            w = std::max(w, TextWidth(t.label, f));
        right = f * 1.0 + f * 1.2 + f * 0.5 + w + (chart.heat->colourBarTitle.empty() ? 0 : f * 1.8) + edge;
    } else {
        double w = 0;
        for (const LegendItem& i : LegendOf(chart))
            w = std::max(w, TextWidth(i.text, f));
        if (w > 0)
            right = f * 1.0 + f * 2.4 + f * 0.5 + w + edge;
    }
    right = std::min(right, width * 0.45);
    const double left = edge + (chart.yTitle.empty() ? 0 : f * 1.6) + yLabel + f * 0.6;
    const double top = chart.title.empty() ? f * 0.8 : f * 2.2;
    const double bottom = f * 1.8 + (chart.xTitle.empty() ? 0 : f * 1.6) + edge;
    l.plotX = left;
    l.plotY = top;
    l.plotW = std::max(1.0, width - left - right);
    l.plotH = std::max(1.0, height - top - bottom);
    l.legendX = l.plotX + l.plotW + f * 1.0;
    l.legendY = l.plotY;
    return l;
}

void RenderChart(const Chart& chart, ChartPainter& p, double width, double height, const ChartTheme& theme,
                 const ChartRange* view) {
    const ChartLayout l = LayoutChart(chart, width, height, view);
    const double f = l.fontPixels;
    p.FillRect(0, 0, width, height, theme.background, 1, "background", {});
    p.Clip(l.plotX, l.plotY, l.plotW, l.plotH);

    for (const ChartBand& b : chart.bands) {
        const double x0 = std::clamp(l.PixelX(std::min(b.x0, b.x1)), l.plotX - 1, l.plotX + l.plotW + 1);
        const double x1 = std::clamp(l.PixelX(std::max(b.x0, b.x1)), l.plotX - 1, l.plotX + l.plotW + 1);
        if (x1 <= l.plotX || x0 >= l.plotX + l.plotW)
            continue;
        double y0 = l.plotY, y1 = l.plotY + l.plotH;
        if (std::isfinite(b.y0) && std::isfinite(b.y1)) {
            y0 = std::clamp(std::min(l.PixelY(b.y0), l.PixelY(b.y1)), l.plotY, l.plotY + l.plotH);
            y1 = std::clamp(std::max(l.PixelY(b.y0), l.PixelY(b.y1)), l.plotY, l.plotY + l.plotH);
        }
        // A one-day band still shows as a hairline.
        p.FillRect(x0, y0, std::max(x1 - x0, 1.0), y1 - y0, theme.Colour(b.colour), b.opacity, b.cssClass, {});
    }

    if (chart.heat && chart.heat->Columns() > 0 && chart.heat->Rows() > 0) {
        const ChartHeatMap& h = *chart.heat;
        const double span = h.high > h.low ? h.high - h.low : 1;
        if (p.WantsCells()) {
            for (size_t c = 0; c < h.Columns(); ++c) {
                if (h.xEdges[c + 1] <= l.range.xMin || h.xEdges[c] >= l.range.xMax)
                    continue;
                const double x0 = l.PixelX(h.xEdges[c]), x1 = l.PixelX(h.xEdges[c + 1]);
                for (size_t r = 0; r < h.Rows(); ++r) {
                    const double v = h.Value(r, c);
                    if (!std::isfinite(v))
                        continue;
                    const double y0 = l.PixelY(static_cast<double>(r)), y1 = l.PixelY(static_cast<double>(r + 1));
                    p.FillRect(x0, std::min(y0, y1), x1 - x0, std::fabs(y1 - y0), ViridisRgb((v - h.low) / span), 1,
                               "cell",
                               {{"data-date", c < h.columnLabels.size() ? h.columnLabels[c] : chart.XText(h.xEdges[c])},
                                {"data-series", h.rowLabels[r]},
                                {"data-rate", Number(v)}});
                }
            }
        } else {
            const int iw = std::max(1, static_cast<int>(std::ceil(l.plotW)));
            const int ih = std::max(1, static_cast<int>(std::ceil(l.plotH)));
            std::array<uint32_t, 256> lut{};
            for (size_t i = 0; i < lut.size(); ++i)
                lut[i] = ViridisRgb(static_cast<double>(i) / 255.0);
            std::vector<int> rowOf(static_cast<size_t>(ih));
            for (int j = 0; j < ih; ++j) {
                const double y = l.DataY(l.plotY + j + 0.5);
                rowOf[static_cast<size_t>(j)] =
                    y >= 0 && y < static_cast<double>(h.Rows()) ? static_cast<int>(y) : -1;
            }
            std::vector<uint32_t> pixels(static_cast<size_t>(iw) * static_cast<size_t>(ih), theme.background);
            std::vector<uint32_t> column(h.Rows());
            for (int i = 0; i < iw; ++i) {
                const size_t c = h.ColumnAt(l.DataX(l.plotX + i + 0.5));
                if (c >= h.Columns())
                    continue;
                for (size_t r = 0; r < h.Rows(); ++r) {
                    const double v = h.Value(r, c);
                    column[r] = std::isfinite(v)
                                    ? lut[static_cast<size_t>(std::clamp((v - h.low) / span, 0.0, 1.0) * 255 + 0.5)]
                                    : theme.background;
                }
                for (int j = 0; j < ih; ++j)
                    if (rowOf[static_cast<size_t>(j)] >= 0)
                        pixels[static_cast<size_t>(j) * static_cast<size_t>(iw) + static_cast<size_t>(i)] =
                            column[static_cast<size_t>(rowOf[static_cast<size_t>(j)])];
            }
            p.Image(l.plotX, l.plotY, iw, ih, pixels, iw, ih);
        }
    }

    const std::vector<ChartTick> xTicks = XTicks(chart, l);
    const std::vector<ChartTick> yTicks = YTicks(chart, l);
    if (!chart.heat) {
        for (const ChartTick& t : xTicks) {
            const double x = l.PixelX(t.value);
            p.Polyline({{x, l.plotY}, {x, l.plotY + l.plotH}}, theme.grid, 1, ChartLineStyle::kSolid, 1, "grid", {});
        }
        for (const ChartTick& t : yTicks) {
            const double y = l.PixelY(t.value);
            p.Polyline({{l.plotX, y}, {l.plotX + l.plotW, y}}, theme.grid, 1, ChartLineStyle::kSolid, 1, "grid", {});
        }
        if (l.range.yMin < 0 && l.range.yMax > 0) {
            const double y = l.PixelY(0);
            p.Polyline({{l.plotX, y}, {l.plotX + l.plotW, y}}, theme.frame, 1, ChartLineStyle::kSolid, 1, "zero", {});
        }
    }

    for (const ChartSeries& s : chart.series) {
        std::vector<ChartPoint> run;
        auto flush = [&] {
            if (!run.empty())
                p.Polyline(run, theme.Colour(s.colour), s.width, s.style, s.opacity, s.cssClass, s.name);
            run.clear();
        };
        for (const ChartPoint& q : s.points) {
            if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
                flush();
                continue;
            }
            run.push_back({Clamp(l.PixelX(q.x)), Clamp(l.PixelY(q.y))});
        }
        flush();
    }
    p.Unclip();

    const double x0 = l.plotX, y0 = l.plotY, x1 = l.plotX + l.plotW, y1 = l.plotY + l.plotH;
    p.Polyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}, theme.frame, 1, ChartLineStyle::kSolid, 1, "frame",
               {});
    for (const ChartTick& t : xTicks) {
        const double x = l.PixelX(t.value);
        p.Polyline({{x, y1}, {x, y1 + f * 0.3}}, theme.frame, 1, ChartLineStyle::kSolid, 1, "tick", {});
        p.Text(x, y1 + f * 1.35, t.label, f, ChartPainter::Align::kMiddle, false, theme.text, {});
    }
    for (const ChartTick& t : yTicks) {
        const double y = l.PixelY(t.value);
        p.Polyline({{x0 - f * 0.3, y}, {x0, y}}, theme.frame, 1, ChartLineStyle::kSolid, 1, "tick", {});
        p.Text(x0 - f * 0.45, y + f * 0.35, t.label, f, ChartPainter::Align::kEnd, false, theme.text, {});
    }
    if (!chart.xTitle.empty())
        p.Text(x0 + l.plotW / 2, y1 + f * 3.0, chart.xTitle, f, ChartPainter::Align::kMiddle, false, theme.text,
               "x-title");
    if (!chart.yTitle.empty())
        p.Text(f * 0.6 + f, y0 + l.plotH / 2, chart.yTitle, f, ChartPainter::Align::kMiddle, true, theme.text,
               "y-title");
    if (!chart.title.empty())
        p.Text(x0 + l.plotW / 2, y0 - f * 0.6, chart.title, f * 1.15, ChartPainter::Align::kMiddle, false, theme.text,
               "title");

    if (chart.heat) {
        const ChartHeatMap& h = *chart.heat;
        const double bx = l.legendX, bw = f * 1.2, steps = 64;
        for (int i = 0; i < steps; ++i) {
            // Highest value at the top.
            const double t = 1 - (i + 0.5) / steps;
            p.FillRect(bx, y0 + l.plotH * i / steps, bw, l.plotH / steps + 0.5, ViridisRgb(t), 1, "colour-bar", {});
        }
        const double span = h.high > h.low ? h.high - h.low : 1;
        for (const ChartTick& t : AxisTicks(ChartAxisKind::kNumber, h.low, h.high, 6)) {
            const double y = y1 - (t.value - h.low) / span * l.plotH;
            p.Polyline({{bx + bw, y}, {bx + bw + f * 0.3, y}}, theme.frame, 1, ChartLineStyle::kSolid, 1, "tick", {});
            p.Text(bx + bw + f * 0.5, y + f * 0.35, t.label, f, ChartPainter::Align::kStart, false, theme.text, {});
        }
        if (!h.colourBarTitle.empty())
            p.Text(l.width - f * 0.9, y0 + l.plotH / 2, h.colourBarTitle, f, ChartPainter::Align::kMiddle, true,
                   theme.text, "colour-bar-title");
    } else {
        double y = l.legendY;
        for (const LegendItem& item : LegendOf(chart)) {
            const double mid = y + f * 0.75;
            if (item.band)
                p.FillRect(l.legendX, mid - f * 0.4, f * 2.0, f * 0.8, theme.Colour(item.colour),
                           std::max(item.opacity, 0.35), "legend", {});
            else
                p.Polyline({{l.legendX, mid}, {l.legendX + f * 2.0, mid}}, theme.Colour(item.colour),
                           std::max(item.width, 2.0), item.style, item.opacity, "legend", {});
            p.Text(l.legendX + f * 2.4, mid + f * 0.35, item.text, f, ChartPainter::Align::kStart, false, theme.text,
                   {});
            y += f * 1.5;
        }
    }
}

std::string ChartReadout(const Chart& chart, double x, double y) {
    if (chart.heat) {
        const ChartHeatMap& h = *chart.heat;
        const size_t c = h.ColumnAt(x);
        if (c >= h.Columns() || !(y >= 0) || y >= static_cast<double>(h.Rows()))
            return {};
        const size_t r = static_cast<size_t>(y);
        const double v = h.Value(r, c);
        const std::string when = c < h.columnLabels.size() ? h.columnLabels[c] : chart.XText(x);
        return when + "  " + h.rowLabels[r] + "  " + (std::isfinite(v) ? Number(v) : std::string("not published"));
    }
    return (chart.xTitle.empty() ? std::string("x") : chart.xTitle) + " " +
           (chart.xKind == ChartAxisKind::kDate ? chart.XText(x) : Number(x)) + "   " +
           (chart.yTitle.empty() ? std::string("y") : chart.yTitle) + " " + Number(y);
}

} // namespace yarrow
