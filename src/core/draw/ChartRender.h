#pragma once

#include "core/draw/Chart.h"

#include <string>
#include <utility>
#include <vector>

namespace yarrow {

// The ground, text and grid colours a chart is drawn with; series colour 0 (the ink) follows the
// text so lines stay readable on a dark ground.
struct ChartTheme {
    uint32_t background = 0xffffff;
    uint32_t text = 0x000000;
    uint32_t grid = 0xdcdcdc;
    uint32_t frame = 0x707070;
    static ChartTheme Light() { return {}; }
    static ChartTheme Dark() { return {0x1e1e1e, 0xe8e8e8, 0x3c3c3c, 0x9a9a9a}; }
    // Colour of a series or band: the Okabe-Ito colour, lifted a little on a dark ground.
    uint32_t Colour(int index) const;
    bool IsDark() const;
};

// What a back end draws: the screen and the PNG through QPainter, the SVG as text. Coordinates
// are pixels, origin top-left.
class ChartPainter {
public:
    enum class Align { kStart, kMiddle, kEnd };
    using Attributes = std::vector<std::pair<std::string, std::string>>;
    virtual ~ChartPainter() = default;

    virtual void FillRect(double x, double y, double w, double h, uint32_t rgb, double opacity,
                          const std::string& cssClass, const Attributes& attributes) = 0;
    virtual void Polyline(const std::vector<ChartPoint>& points, uint32_t rgb, double width, ChartLineStyle style,
                          double opacity, const std::string& cssClass, const std::string& legend) = 0;
    // Baseline-anchored text; `vertical` turns it a quarter left (a y-axis title).
    virtual void Text(double x, double y, const std::string& text, double pixels, Align align, bool vertical,
                      uint32_t rgb, const std::string& id) = 0;
    // A w x h block of 0xRRGGBB pixels stretched over the rectangle (a rasterised heat map).
    virtual void Image(double x, double y, double w, double h, const std::vector<uint32_t>& rgb, int columns,
                       int rows) = 0;
    virtual void Clip(double x, double y, double w, double h) = 0;
    virtual void Unclip() = 0;
    // An SVG wants every heat-map cell as an element; a raster back end takes one image.
    virtual bool WantsCells() const { return false; }
};

// Where the parts of a chart go at one size; the window also uses it to turn the pointer into
// data coordinates.
struct ChartLayout {
    double width = 0, height = 0;
    double plotX = 0, plotY = 0, plotW = 1, plotH = 1;
    double fontPixels = 15;
    double legendX = 0, legendY = 0; // top-left of the legend or the colour bar
    ChartRange range;
    bool yDown = false; // a heat map's rows run down

    double PixelX(double x) const { return plotX + (x - range.xMin) / (range.xMax - range.xMin) * plotW; }
    double PixelY(double y) const {
        const double f = (y - range.yMin) / (range.yMax - range.yMin);
        return yDown ? plotY + f * plotH : plotY + plotH - f * plotH;
    }
    double DataX(double px) const { return range.xMin + (px - plotX) / plotW * (range.xMax - range.xMin); }
    double DataY(double py) const {
        const double f = (py - plotY) / plotH;
        return yDown ? range.yMin + f * (range.yMax - range.yMin) : range.yMax - f * (range.yMax - range.yMin);
    }
    bool InPlot(double px, double py) const {
        return px >= plotX && px <= plotX + plotW && py >= plotY && py <= plotY + plotH;
    }
};

// The layout at width x height pixels; `view` (a zoom) replaces the chart's own range.
ChartLayout LayoutChart(const Chart& chart, double width, double height, const ChartRange* view = nullptr);

// Draws the whole chart: ground, bands, heat map, grid and ticks, series, titles, legend or
// colour bar.
void RenderChart(const Chart& chart, ChartPainter& painter, double width, double height, const ChartTheme& theme,
                 const ChartRange* view = nullptr);

// The chart as a standalone SVG document (light theme). Series are polylines with their class,
// bands rects with theirs, heat-map cells rect class="cell" with data-date, data-series and
// data-rate.
std::string ChartSvg(const Chart& chart, int width, int height);

// Text readout of a data point: "x: ..., y: ..." or for a heat map "date, series: rate".
std::string ChartReadout(const Chart& chart, double x, double y);

} // namespace yarrow
