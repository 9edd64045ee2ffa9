#pragma once

#include <string>
#include <vector>

namespace yarrow {

class DisplayList;
struct Chart;

// What a picture box's numbers mean, so its picture can be said in words and listed as a table.
// The curves panel draws decimal rates against years; other pictures say their own units.
struct PlotSubject {
    std::vector<std::string> details; // after the line names: "continuous compounding", "10 bonds"
    std::string xTitle = "Term (years)";
    std::string yTitle = "Rate (%)";
    std::string xUnit = " years";
    std::string yUnit = " %";
    double yScale = 100; // drawn value times this is the value shown
};

// The plotted points as rows of text under headings, for a screen reader's grid and the clipboard.
struct PlotTable {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
    // TAB between cells, LF after each line, headings first.
    std::string Text() const;
};

// One sentence saying what the picture shows: the lines' names, the subject's details and the
// ranges of the points drawn, e.g. "Zero curve, continuous compounding, 10 bonds, 0.23 to 31.52
// years, 0.12 % to 4.76 %". "Empty plot" when nothing is drawn.
std::string DescribePlot(const DisplayList& plot, const PlotSubject& subject = {});
// The same for a chart: its title, series, and each axis's title and range.
std::string DescribeChart(const Chart& chart);

// Every point of every line, in drawing order: line name, point number (from 1), x and y as shown.
PlotTable PlotDataTable(const DisplayList& plot, const PlotSubject& subject = {});
PlotTable ChartDataTable(const Chart& chart);

// The name a screen reader and the data table give a line: the layer's caption, with the day of a
// kept curve ("Zero curve, 2024-01-02") or the legend the plot gave it.
std::string PlotLineName(const std::string& layer, const std::string& legend);

} // namespace yarrow
