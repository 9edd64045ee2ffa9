#include "core/draw/Chart.h"

#include "core/draw/ChartFromPlot.h"
#include "core/draw/ChartRender.h"
#include "core/draw/DisplayList.h"

#include <chrono>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <vector>

namespace yarrow {
namespace {

double Serial(int y, unsigned m, unsigned d) {
    using namespace std::chrono;
    return static_cast<double>(sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count());
}

std::vector<std::string> Labels(const std::vector<ChartTick>& ticks) {
    std::vector<std::string> out;
    for (const ChartTick& t : ticks)
        out.push_back(t.label);
    return out;
}

TEST(ChartTicks, RoundValuesOnNumberAndDateAxes) {
    EXPECT_DOUBLE_EQ(NiceNumber(0.034, true), 0.05);
    EXPECT_DOUBLE_EQ(NiceNumber(0.034, false), 0.05);
    EXPECT_DOUBLE_EQ(NiceNumber(130, true), 100);
    EXPECT_DOUBLE_EQ(NiceNumber(130, false), 200);
    struct Case {
        ChartAxisKind kind;
        double lo, hi;
        int target;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {ChartAxisKind::kNumber, -1.73, 4.2, 6, {"-1", "0", "1", "2", "3", "4"}},
        {ChartAxisKind::kNumber, 0, 0.3, 3, {"0.0", "0.1", "0.2", "0.3"}},
        {ChartAxisKind::kNumber, 0.05, 0.3, 5, {"0.05", "0.10", "0.15", "0.20", "0.25", "0.30"}},
        // 63 years in about 7 ticks: every 10 years, on the decade.
        {ChartAxisKind::kDate, Serial(1962, 1, 2), Serial(2025, 7, 11), 7, {"1970", "1980", "1990", "2000", "2010", "2020"}},
        {ChartAxisKind::kDate, Serial(2019, 7, 15), Serial(2019, 12, 20), 6, {"2019-08", "2019-09", "2019-10", "2019-11", "2019-12"}},
        {ChartAxisKind::kDate, Serial(2019, 8, 1), Serial(2019, 8, 9), 4, {"2019-08-02", "2019-08-04", "2019-08-06", "2019-08-08"}},
        {ChartAxisKind::kNumber, 1, 1, 5, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Labels(AxisTicks(c.kind, c.lo, c.hi, c.target)), c.labels) << c.lo << ".." << c.hi;
}

TEST(ChartData, RangeAndTabText) {
    Chart c;
    c.xTitle = "Term";
    c.series.push_back({"A", "", kChartBlue, ChartLineStyle::kSolid, 2, 1, {{0.25, 1.2}, {10, 3.7}}});
    c.series.push_back({"B", "", kChartVermillion, ChartLineStyle::kDash, 2, 1, {{0.25, 0.9}, {10, kChartNoValue}}});
    const ChartRange r = c.DataRange();
    EXPECT_EQ(r, (ChartRange{0, 10, 0.5, 4}));
    EXPECT_EQ(c.DataText(), "Term\tA\tB\n0.25\t1.2\t0.9\n10\t3.7\t\n");
    c.series[1].points.pop_back();
    EXPECT_EQ(c.DataText(), "Series\tTerm\tY\nA\t0.25\t1.2\nA\t10\t3.7\nB\t0.25\t0.9\n");
    Chart empty;
    EXPECT_TRUE(empty.DataRange().Valid());
    Chart flat;
    flat.series.push_back({"F", "", 0, ChartLineStyle::kSolid, 2, 1, {{Serial(2020, 1, 1), 2}}});
    flat.xKind = ChartAxisKind::kDate;
    EXPECT_TRUE(flat.DataRange().Valid());
    EXPECT_EQ(flat.DataText(), "X\tF\n2020-01-01\t2\n");
}

// Pixels and data coordinates invert each other, the plot stays inside the picture with room for
// a legend on the right, and a heat map's rows run down.
TEST(ChartLayout, MapsBothWaysAndKeepsTheLegendOutside) {
    Chart c;
    c.series.push_back({"A long legend text", "", kChartBlue, ChartLineStyle::kSolid, 2, 1, {{0, 0}, {30, 8}}});
    for (const auto& [w, h] : std::vector<std::pair<double, double>>{{640, 480}, {1920, 1080}}) {
        const ChartLayout l = LayoutChart(c, w, h);
        EXPECT_GE(l.fontPixels, 15);
        EXPECT_GT(l.plotX, 0);
        EXPECT_LE(l.plotX + l.plotW, l.legendX);
        EXPECT_LE(l.plotY + l.plotH, h);
        EXPECT_NEAR(l.DataX(l.PixelX(12.5)), 12.5, 1e-9);
        EXPECT_NEAR(l.DataY(l.PixelY(3.25)), 3.25, 1e-9);
        EXPECT_GT(l.PixelY(1), l.PixelY(2));
    }
    Chart map;
    map.heat = ChartHeatMap{{0, 1, 2}, {"d0", "d1"}, {"3M", "10Y"}, {1, 2, 3, kChartNoValue}, 0, 4, "Rate"};
    const ChartLayout l = LayoutChart(map, 800, 600);
    EXPECT_LT(l.PixelY(0.5), l.PixelY(1.5));
    EXPECT_EQ(ChartReadout(map, 1.5, 1.2), "d1  10Y  not published");
    EXPECT_EQ(ChartReadout(map, 0.5, 1.2), "d0  10Y  3");
    EXPECT_EQ(ChartReadout(map, 2.5, 1.2), "");
}

TEST(ChartSvg, ClassesCellsAndBandsReachTheDocument) {
    Chart c;
    c.xKind = ChartAxisKind::kDate;
    c.series.push_back({"10Y - 3M", "spread", kChartBlue, ChartLineStyle::kSolid, 2, 1,
                        {{Serial(2019, 1, 1), 0.5}, {Serial(2019, 6, 1), -0.2}, {Serial(2019, 12, 31), 0.3}}});
    c.bands.push_back({Serial(2019, 5, 1), Serial(2019, 10, 1), kChartNoValue, kChartNoValue, kChartVermillion, 0.2,
                       "inversion", "Inversion"});
    c.bands.push_back({Serial(2030, 1, 1), Serial(2031, 1, 1), kChartNoValue, kChartNoValue, kChartInk, 0.2, "recession",
                       "Recession"});
    const std::string svg = ChartSvg(c, 800, 500);
    EXPECT_NE(svg.find("<polyline class=\"spread\""), std::string::npos);
    EXPECT_NE(svg.find("<rect class=\"inversion\""), std::string::npos);
    EXPECT_EQ(svg.find("<rect class=\"recession\""), std::string::npos) << "a band outside the range is not drawn";
    EXPECT_NE(svg.find(">Inversion</text>"), std::string::npos);

    Chart map;
    map.heat = ChartHeatMap{{0, 1, 2}, {"2020-01-02", "2020-01-03"}, {"3M", "10Y"}, {1.5, 2, 3, kChartNoValue}, 0, 4,
                            "Rate (%)"};
    const std::string m = ChartSvg(map, 800, 500);
    const std::regex cell(R"re(<rect class="cell"[^>]*data-date="([^"]+)" data-series="([^"]+)" data-rate="([^"]+)")re");
    std::vector<std::string> cells;
    for (auto it = std::sregex_iterator(m.begin(), m.end(), cell); it != std::sregex_iterator(); ++it)
        cells.push_back((*it)[1].str() + " " + (*it)[2].str() + " " + (*it)[3].str());
    EXPECT_EQ(cells, (std::vector<std::string>{"2020-01-02 3M 1.5", "2020-01-02 10Y 3", "2020-01-03 3M 2"}));
}

// Painting a heat map on a raster takes one image of the plot's pixels, blank where unpublished.
TEST(ChartRender, RasterHeatMapFillsThePlot) {
    struct Recorder : ChartPainter {
        void FillRect(double, double, double, double, uint32_t, double, const std::string&, const Attributes&) override {}
        void Polyline(const std::vector<ChartPoint>&, uint32_t, double, ChartLineStyle, double, const std::string&,
                      const std::string&) override {}
        void Text(double, double, const std::string&, double, Align, bool, uint32_t, const std::string&) override {}
        void Image(double, double, double, double, const std::vector<uint32_t>& px, int c, int r) override {
            pixels = px;
            columns = c;
            rows = r;
        }
        void Clip(double, double, double, double) override {}
        void Unclip() override {}
        std::vector<uint32_t> pixels;
        int columns = 0, rows = 0;
    } rec;
    Chart map;
    map.heat = ChartHeatMap{{0, 1, 2}, {"a", "b"}, {"3M", "10Y"}, {0, 4, 2, kChartNoValue}, 0, 4, ""};
    const ChartTheme theme = ChartTheme::Light();
    RenderChart(map, rec, 400, 300, theme);
    ASSERT_GT(rec.columns, 10);
    ASSERT_EQ(rec.pixels.size(), static_cast<size_t>(rec.columns * rec.rows));
    auto at = [&](double fx, double fy) {
        return rec.pixels[static_cast<size_t>(int(fy * rec.rows) * rec.columns + int(fx * rec.columns))];
    };
    EXPECT_EQ(at(0.25, 0.25), ViridisRgb(0));
    EXPECT_EQ(at(0.75, 0.25), ViridisRgb(1));
    EXPECT_EQ(at(0.25, 0.75), ViridisRgb(128 / 255.0)); // the painter's 256-step table
    EXPECT_EQ(at(0.75, 0.75), theme.background);
    // The published viridis at its ends and middle, within a few units a channel.
    for (const auto& [t, rgb] : std::vector<std::pair<double, uint32_t>>{{0, 0x440154}, {0.5, 0x21918c}, {1, 0xfde725}})
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(int((ViridisRgb(t) >> shift) & 0xFF), int((rgb >> shift) & 0xFF), 6) << t;
}

TEST(ChartFromPlot, PanelLinesBecomeNamedSeriesOnThePanelScale) {
    DisplayList plot;
    plot.SetUserScale(0, 6, 30, 0);
    plot.SetLayer("ytm", "");
    plot.DrawSegment(0.25, 1, 10, 3);
    plot.SetLayer("zero", "2010-06-30");
    plot.DrawSegment(0.25, 1.1, 30, 4);
    const Chart c = ChartFromPlot(plot);
    ASSERT_EQ(c.series.size(), 2u);
    EXPECT_EQ(c.series[0].name, "Yield to maturity");
    EXPECT_EQ(c.series[1].name, "2010-06-30 Zero");
    EXPECT_NE(c.series[0].colour, c.series[1].colour);
    EXPECT_NE(c.series[0].style, c.series[1].style);
    EXPECT_EQ(c.fixed, (ChartRange{0, 30, 0, 6}));
    EXPECT_EQ(c.series[1].points.back().y, 4);
}

} // namespace
} // namespace yarrow
