#include "CliRunner.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>

namespace yarrow::testing {
namespace {

std::string TempFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream s(line);
    std::string cell;
    while (std::getline(s, cell, '\t'))
        cells.push_back(cell);
    return cells;
}

TEST(CliShock, TableOfTheBundledBondsAndThePortfolioRow) {
    const std::string holdings = TempFile("holdings.tsv", "Bond\tQuantity\n3TD\t0.7141\n30\t0.2861\n");
    const CliResult r = RunArgs({"shock", "--shift", "10:50, 2:-50", "--holdings", holdings});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Bond\tYears\tShift\tValue\tShocked\tChange\tYield change\tDuration est.\t"
                        "Duration+convexity est.\tError D\tError D+C");
    const std::regex money(R"(-?\d+\.\d{4})"), bp(R"(-?\d+\.\d{2})");
    double sum = 0;
    for (size_t i = 1; i <= 10; ++i) {
        const std::vector<std::string> c = Cells(lines[i]);
        ASSERT_EQ(c.size(), 11u) << lines[i];
        for (size_t k : {1, 3, 4, 5, 7, 8, 9, 10})
            EXPECT_TRUE(std::regex_match(c[k], money)) << lines[i];
        for (size_t k : {2, 6})
            EXPECT_TRUE(std::regex_match(c[k], bp)) << lines[i];
        if (c[0] == "3TD")
            sum += 0.7141 * std::stod(c[5]);
        if (c[0] == "30")
            sum += 0.2861 * std::stod(c[5]);
    }
    EXPECT_EQ(Cells(lines[1])[2], "-50.00"); // flat before the first knot
    const std::vector<std::string> p = Cells(lines[11]);
    ASSERT_EQ(p.size(), 11u);
    EXPECT_EQ(p[0] + "|" + p[1] + "|" + p[2] + "|" + p[6], "Portfolio|||");
    EXPECT_NEAR(std::stod(p[5]), sum, 1e-4);

    const CliResult json = RunArgs({"shock", "--parallel", "-25", "--format", "json"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_NE(json.out.find("\"Duration+convexity est.\": \""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"Shift\": \"-25.00\""), std::string::npos) << json.out;
}

TEST(CliShock, BadInputPrintsNoResult) {
    const std::string unknown = TempFile("unknown.tsv", "3TD\t1\n40Y\t2\n");
    const std::string garbled = TempFile("garbled.tsv", "3TD\tlots\n");
    struct Case {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"shock"}, 2},
        {{"shock", "--parallel", "10", "--shift", "2:5"}, 2},
        {{"shock", "--parallel", "ten"}, 2},
        {{"shock", "--shift", "2-5"}, 2},
        {{"shock", "--shift", "2:5,2:6"}, 1},
        {{"shock", "--parallel", "5001"}, 1},
        {{"shock", "--shift", "1:100,30:-7000"}, 1},
        {{"shock", "--parallel", "10", "--holdings", unknown}, 1},
        {{"shock", "--parallel", "10", "--holdings", garbled}, 1},
        {{"shock", "--parallel", "10", "--holdings", "/nonexistent/h.tsv"}, 1},
        {{"plot", "price-yield", "--bond", "40Y", "--out", TempFile("x.svg", "")}, 1},
        {{"plot", "price-yield", "--out", TempFile("x.svg", "")}, 2},
        {{"plot", "shock-curve", "--out", TempFile("x.svg", "")}, 2},
    };
    for (const Case& c : cases) {
        const CliResult r = RunArgs(c.args);
        std::string line;
        for (const std::string& a : c.args)
            line += a + " ";
        EXPECT_EQ(r.code, c.code) << line << r.err;
        EXPECT_EQ(r.out, "") << line;
        EXPECT_NE(r.err, "") << line;
    }
}

std::set<std::string> PolylineClasses(const std::string& path) {
    std::ifstream f(path);
    std::stringstream s;
    s << f.rdbuf();
    const std::string svg = s.str();
    std::set<std::string> classes;
    const std::regex line(R"re(<polyline class="(\w+)")re");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), line); it != std::sregex_iterator(); ++it)
        classes.insert((*it)[1]);
    return classes;
}

TEST(CliShock, PicturesDrawTheirLayers) {
    const std::string curve = ::testing::TempDir() + "/shock-curve.svg";
    const std::string priceYield = ::testing::TempDir() + "/price-yield.svg";
    ASSERT_EQ(RunArgs({"plot", "shock-curve", "--parallel", "100", "--out", curve}).code, 0);
    EXPECT_EQ(PolylineClasses(curve), (std::set<std::string>{"zero", "shocked"}));
    const CliResult r =
        RunArgs({"plot", "price-yield", "--bond", "30", "--shift", "2:-50,10:50", "--out", priceYield});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(PolylineClasses(priceYield),
              (std::set<std::string>{"price", "duration", "convexity", "marker"}));
}

} // namespace
} // namespace yarrow::testing
