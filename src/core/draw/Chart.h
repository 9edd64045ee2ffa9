#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace yarrow {

// A chart for the resizable chart window, the lessons and the command line: series as polylines,
// filled bands (inversions, recessions), an optional heat map, axis titles and a legend. It holds
// data only; RenderChart lays it out at any size and draws it through a ChartPainter, so the
// window, the PNG and the SVG all come from one drawing routine.
//
//     Chart c;
//     c.xTitle = "Term (years)";
//     c.yTitle = "Yield (%)";
//     ChartSeries& s = c.series.emplace_back();
//     s.name = "2010-06-30";
//     s.points = {{0.25, 0.18}, {10, 2.97}};
//     window->SetChart(c);         // app: ChartWindow
//     std::string svg = ChartSvg(c, 1280, 720);

// The Okabe-Ito eight, told apart by colour-blind viewers. Index 0 is the ink: black on a light
// ground, light grey on a dark one.
inline constexpr std::array<uint32_t, 8> kOkabeIto = {0x000000, 0xE69F00, 0x56B4E9, 0x009E73,
                                                      0xF0E442, 0x0072B2, 0xD55E00, 0xCC79A7};
enum ChartColour : int {
    kChartInk = 0,
    kChartOrange = 1,
    kChartSkyBlue = 2,
    kChartGreen = 3,
    kChartYellow = 4,
    kChartBlue = 5,
    kChartVermillion = 6,
    kChartPurple = 7,
};

enum class ChartLineStyle : uint8_t { kSolid, kDash, kDot, kDashDot };
// A date axis holds days since 1970-01-01 (sys_days) and ticks at years, months or days.
enum class ChartAxisKind : uint8_t { kNumber, kDate };

inline constexpr double kChartNoValue = std::numeric_limits<double>::quiet_NaN();

struct ChartPoint {
    double x = 0;
    double y = 0; // NaN breaks the line
};

struct ChartSeries {
    std::string name;     // legend text; empty keeps it out of the legend
    std::string cssClass; // class of the SVG polyline
    int colour = kChartBlue;
    ChartLineStyle style = ChartLineStyle::kSolid;
    double width = 2; // pixels at 1080p
    double opacity = 1;
    std::vector<ChartPoint> points;
};

// The colour and dash of the i-th series: eight colours, then dashes as a second cue.
struct ChartSeriesLook {
    int colour = kChartBlue;
    ChartLineStyle style = ChartLineStyle::kSolid;
};
ChartSeriesLook SeriesLook(int i);

// A filled rectangle in data coordinates; NaN on y spans the plot's height.
struct ChartBand {
    double x0 = 0, x1 = 0;
    double y0 = kChartNoValue, y1 = kChartNoValue;
    int colour = kChartSkyBlue;
    double opacity = 0.25;
    std::string cssClass;
    std::string legend; // bands sharing a legend text get one entry
};

// Cells of a heat map: columns along x between ascending edges, rows from the top (y = row index,
// the axis runs down), coloured on the viridis scale between low and high; NaN cells stay blank.
struct ChartHeatMap {
    std::vector<double> xEdges;            // columns + 1
    std::vector<std::string> columnLabels; // per column (SVG data-date)
    std::vector<std::string> rowLabels;    // per row, also the y tick labels
    std::vector<double> values;            // row-major, rows x columns
    double low = 0, high = 1;
    std::string colourBarTitle;

    size_t Columns() const { return xEdges.empty() ? 0 : xEdges.size() - 1; }
    size_t Rows() const { return rowLabels.size(); }
    double Value(size_t row, size_t column) const { return values.at(row * Columns() + column); }
    // The column holding x, or Columns() outside the map.
    size_t ColumnAt(double x) const;
};

struct ChartRange {
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
    bool Valid() const {
        return std::isfinite(xMin) && std::isfinite(xMax) && std::isfinite(yMin) && std::isfinite(yMax) &&
               xMax > xMin && yMax > yMin;
    }
    bool operator==(const ChartRange&) const = default;
};

struct Chart {
    std::string title; // above the plot (the film's date)
    std::string xTitle, yTitle;
    ChartAxisKind xKind = ChartAxisKind::kNumber;
    std::vector<ChartSeries> series;
    std::vector<ChartBand> bands;
    std::optional<ChartHeatMap> heat;
    std::optional<ChartRange> fixed; // axes that stay put (a film); otherwise from the data

    // The range the data asks for: the heat map's extent, or the series' bounds widened to round
    // ticks; a single value or no data still gives a valid range.
    ChartRange DataRange() const;
    // The plotted numbers as TAB-separated text with a header line: one column per series when
    // they share their x values, else one line per point; a heat map as Date, Series, Rate.
    std::string DataText() const;
    // An x value as the axis writes it in a readout (an ISO date on a date axis).
    std::string XText(double x) const;
};

// Nice numbers: 1, 2, 5 times a power of ten (rounded to the nearest, or the next above).
double NiceNumber(double x, bool round);
struct ChartTick {
    double value = 0;
    std::string label;
};
// Ticks at round values inside [lo, hi], about `target` of them; a date axis ticks at whole
// years (1, 2, 5, 10 ...), months (1, 2, 3, 6) or days.
std::vector<ChartTick> AxisTicks(ChartAxisKind kind, double lo, double hi, int target);

// Viridis, perceptually uniform, t in [0, 1] clamped; 0xRRGGBB.
uint32_t ViridisRgb(double t);

} // namespace yarrow
