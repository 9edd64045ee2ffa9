#include "CliRunner.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>

namespace yarrow::testing {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "/" + name;
}

struct Polyline {
    std::string layer, stroke;
    std::vector<std::pair<double, double>> points;
};

std::vector<Polyline> Polylines(const std::string& svg) {
    std::vector<Polyline> out;
    const std::regex line(R"re(<polyline class="(\w+)"[^>]*stroke="(#[0-9a-f]{6})"[^>]*points="([^"]*)")re");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), line); it != std::sregex_iterator(); ++it) {
        Polyline p{(*it)[1], (*it)[2], {}};
        std::istringstream pts((*it)[3].str());
        double x = 0, y = 0;
        char comma = 0;
        while (pts >> x >> comma >> y)
            p.points.emplace_back(x, y);
        out.push_back(p);
    }
    return out;
}

double Bound(const std::string& svg, const std::string& id) {
    std::smatch m;
    EXPECT_TRUE(std::regex_search(svg, m, std::regex("<text id=\"" + id + "\"[^>]*>([^<]*)</text>")));
    return std::stod(m[1]);
}

// Column `col` of every line after the heading of a TAB-separated listing.
std::vector<double> Column(const std::string& text, size_t col, bool heading) {
    std::vector<double> v;
    std::vector<std::string> lines = Lines(text);
    for (size_t i = heading ? 1 : 0; i < lines.size(); ++i) {
        std::vector<std::string> cells;
        std::istringstream row(lines[i]);
        std::string cell;
        while (std::getline(row, cell, '\t'))
            cells.push_back(cell);
        v.push_back(std::stod(cells.at(col)));
    }
    return v;
}

// The four layers on the bundled snapshot: every polyline is one layer in its palette colour, and
// its points, read back through the box's scale, are the rates that `curve`, `nelson-siegel` and
// `spline` print. The bound labels are that scale as the panel rounds it (two decimals of a rate,
// four of a time).
TEST(CliPlot, FourLayersMapBackThroughTheBoundLabels) {
    const std::string path = TempPath("plot.svg");
    const CliResult r = RunArgs({"plot", "ytm", "zero", "ns", "spline", "--out", path});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string svg = ReadFile(path);
    const std::vector<Polyline> lines = Polylines(svg);
    ASSERT_EQ(lines.size(), 4u);
    const std::map<std::string, std::string> colour = {
        {"ytm", "#000000"}, {"zero", "#ff0000"}, {"ns", "#00ff00"}, {"spline", "#ff00ff"}};
    const char* order[] = {"ytm", "zero", "ns", "spline"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[i].layer, order[i]);
        EXPECT_EQ(lines[i].stroke, colour.at(order[i]));
    }
    EXPECT_NE(svg.find(R"re(<svg id="picture" x="64" y="8" width="640" height="480")re"), std::string::npos);

    std::smatch m;
    ASSERT_TRUE(std::regex_search(svg, m, std::regex(R"re(data-scale="(\S+) (\S+) (\S+) (\S+)")re")));
    const double left = std::stod(m[1]), top = std::stod(m[2]), right = std::stod(m[3]),
                 bottom = std::stod(m[4]);
    EXPECT_NEAR(Bound(svg, "bound-top"), top, 0.005);
    EXPECT_NEAR(Bound(svg, "bound-bottom"), bottom, 0.005);
    EXPECT_NEAR(Bound(svg, "bound-left"), left, 0.00005);
    EXPECT_NEAR(Bound(svg, "bound-right"), right, 0.00005);
    auto rate = [&](double y) { return top + y / 480.0 * (bottom - top); };
    auto years = [&](double x) { return left + x / 640.0 * (right - left); };
    // Printed to four decimals (a hundredth of a percent for `curve`), pixels to three.
    const double rateSlack = 0.00006, timeSlack = 0.00006;

    const auto expectCurve = [&](const Polyline& line, const std::vector<double>& t,
                                 const std::vector<double>& y, double scale) {
        ASSERT_EQ(line.points.size(), t.size()) << line.layer;
        for (size_t i = 0; i < t.size(); ++i) {
            EXPECT_NEAR(years(line.points[i].first), t[i], timeSlack) << line.layer << i;
            EXPECT_NEAR(rate(line.points[i].second), y[i] * scale, rateSlack * std::max(scale * 100, 1.0))
                << line.layer << i;
        }
    };
    const CliResult ytm = RunArgs({"curve", "ytm"});
    const CliResult zero = RunArgs({"curve", "zero"});
    const CliResult spline = RunArgs({"spline"});
    const CliResult ns = RunArgs({"nelson-siegel"});
    expectCurve(lines[0], Column(ytm.out, 1, true), Column(ytm.out, 2, true), 0.01);
    expectCurve(lines[1], Column(zero.out, 1, true), Column(zero.out, 2, true), 0.01);
    // The nelson-siegel listing: a parameter line, a heading, then Years Model Zero's.
    std::string nsRows = ns.out.substr(ns.out.find('\n') + 1);
    expectCurve(lines[2], Column(nsRows, 0, true), Column(nsRows, 1, true), 1.0);
    expectCurve(lines[3], Column(spline.out, 0, false), Column(spline.out, 1, false), 1.0);
}

// PNG needs the Qt build; without it the CLI refuses PNG and writes SVG only.
#ifdef YARROW_CLI_IO
constexpr bool kPngBuilt = true;
#else
constexpr bool kPngBuilt = false;
#endif

TEST(CliPlot, UsageErrorsExitTwoAndRunTimeErrorsWriteNothing) {
    const std::string path = TempPath("never.svg");
    std::remove(path.c_str());
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"plot", "--out", path},
                                               {"plot", "zero"},
                                               {"plot", "zero", "--out", TempPath("plot.txt")},
                                               {"plot", "curly", "--out", path},
                                               {"plot", "zero", "--out", path, "--size", "640"},
                                               {"plot", "zero", "--out", path, "--size", "0x10"}})
        EXPECT_EQ(RunArgs(args).code, 2) << args.back();
    const CliResult r = RunArgs({"plot", "ns", "--level", "high", "--out", path});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Type mismatch"), std::string::npos);
    EXPECT_FALSE(std::ifstream(path).good());
    for (const std::string name : {"plot.svg", "plot.png"}) {
        if (!kPngBuilt && name == "plot.png")
            continue;
        const CliResult unwritable = RunArgs({"plot", "zero", "--out", TempPath("no-such-folder/") + name});
        EXPECT_EQ(unwritable.code, 1) << name;
        EXPECT_NE(unwritable.err.find("no-such-folder"), std::string::npos) << unwritable.err;
    }
}

TEST(CliPlot, PngHasTheFramedSizeAndClearLeavesOnlyLaterLayers) {
    const std::string png = TempPath("plot.png");
    std::remove(png.c_str());
    const CliResult made = RunArgs({"plot", "zero", "--out", png, "--size", "300x200"});
    if (!kPngBuilt) {
        EXPECT_EQ(made.code, 1);
        EXPECT_FALSE(std::ifstream(png).good());
    } else {
        ASSERT_EQ(made.code, 0);
        const std::string bytes = ReadFile(png);
        ASSERT_GT(bytes.size(), 24u);
        EXPECT_EQ(bytes.substr(1, 3), "PNG");
        auto be32 = [&](size_t at) {
            return (unsigned(uint8_t(bytes[at])) << 24) | (unsigned(uint8_t(bytes[at + 1])) << 16) |
                   (unsigned(uint8_t(bytes[at + 2])) << 8) | unsigned(uint8_t(bytes[at + 3]));
        };
        EXPECT_EQ(be32(16), 64u + 300 + 8); // the box with the labels' margins
        EXPECT_EQ(be32(20), 8u + 200 + 24);
    }

    const std::string svg = TempPath("cleared.svg");
    ASSERT_EQ(RunArgs({"plot", "ytm", "clear", "forward", "--compounding", "annual", "--out", svg}).code, 0);
    const std::vector<Polyline> lines = Polylines(ReadFile(svg));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].layer, "forward");
    EXPECT_EQ(lines[0].stroke, "#00ffff");
}

} // namespace
} // namespace yarrow::testing
