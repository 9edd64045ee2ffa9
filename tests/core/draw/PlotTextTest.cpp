#include "core/draw/PlotText.h"

#include "core/draw/Chart.h"
#include "core/draw/DisplayList.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

struct Drawn {
    const char* layer;
    const char* legend;
    std::vector<DisplayList::Point> points;
};

DisplayList Draw(const std::vector<Drawn>& lines) {
    DisplayList list;
    list.SetUserScale(0, 0.05f, 32, 0);
    for (const Drawn& d : lines) {
        list.SetLayer(d.layer, d.legend);
        list.SetPoint(d.points.front().x, d.points.front().y);
        for (size_t i = 1; i < d.points.size(); ++i)
            list.DrawSegment(d.points[i - 1].x, d.points[i - 1].y, d.points[i].x, d.points[i].y);
    }
    return list;
}

TEST(PlotText, DescribesWhatIsDrawn) {
    const PlotSubject curves{{"continuous compounding", "10 bonds"}};
    PlotSubject shock;
    shock.yScale = 1;
    shock.xUnit = " y";
    struct Case {
        const char* what;
        std::vector<Drawn> lines;
        PlotSubject subject;
        std::string sentence;
    } cases[] = {
        {"nothing drawn", {}, curves, "Empty plot"},
        {"one curve, decimal rates shown as percent",
         {{"zero", "", {{0.23f, 0.0012f}, {5, 0.03f}, {31.52f, 0.0476f}}}},
         curves,
         "Zero curve, continuous compounding, 10 bonds, 0.23 to 31.52 years, 0.12 % to 4.76 %"},
        {"a model over the curve: both named once, the ranges cover both",
         {{"zero", "", {{1, 0.02f}, {10, 0.03f}}}, {"ns", "", {{0.5f, 0.01f}, {12, 0.035f}}},
          {"zero", "", {{10, 0.03f}, {20, 0.031f}}}},
         {},
         "Zero curve and Nelson-Siegel model, 0.50 to 20.00 years, 1.00 % to 3.50 %"},
        {"kept curves carry their day",
         {{"ytm", "2024-01-02", {{1, 0.04f}, {2, 0.041f}}},
          {"ytm", "2024-02-01", {{1, 0.045f}, {2, 0.046f}}},
          {"spline", "", {{1, 0.045f}, {2, 0.046f}}}},
         {},
         "Yield to maturity curve, 2024-01-02, Yield to maturity curve, 2024-02-01 and Spline, 1.00 to 2.00 "
         "years, 4.00 % to 4.60 %"},
        {"another picture's legends and units",
         {{"zero", "Zero curve", {{0, 4}, {30, 4.5f}}}, {"shocked", "Shocked +100 bp", {{0, 5}, {30, 5.5f}}}},
         shock,
         "Zero curve and Shocked +100 bp, 0.00 to 30.00 y, 4.00 % to 5.50 %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DescribePlot(Draw(c.lines), c.subject), c.sentence) << c.what;

    Chart chart;
    chart.title = "Curves";
    chart.xTitle = "Term (years)";
    chart.yTitle = "Rate (%)";
    EXPECT_EQ(DescribeChart(chart), "Curves, empty");
    chart.series.push_back({"2010-06-30", "", kChartBlue, ChartLineStyle::kSolid, 2, 1, {{0.25, 0.18}, {10, 2.97}}});
    chart.series.push_back({"Fit", "", kChartOrange, ChartLineStyle::kDash, 2, 1, {{1, kChartNoValue}, {30, 4.2}}});
    EXPECT_EQ(DescribeChart(chart), "Curves: 2010-06-30 and Fit; Term (years) 0.25 to 30; Rate (%) 0.18 to 4.20");
}

TEST(PlotText, TableListsEveryDrawnPointOnce) {
    const DisplayList list = Draw({{"zero", "", {{0.25f, 0.0012f}, {1, 0.02f}}}, {"ns", "", {{2, 0.03f}}}});
    const PlotTable t = PlotDataTable(list);
    EXPECT_EQ(t.Text(), "Line\tPoint\tTerm (years)\tRate (%)\n"
                        "Zero curve\t1\t0.25\t0.12\n"
                        "Zero curve\t2\t1\t2\n"
                        "Nelson-Siegel model\t1\t2\t3\n");
}

} // namespace
} // namespace yarrow
