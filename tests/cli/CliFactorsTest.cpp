#include "CliRunner.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
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

// The layout of `pca`: the count of changes, three explained shares, a loading row per series.
TEST(CliFactors, PcaListing) {
    // 2010-07-01 .. 2010-07-09: six business days (the 5th was a holiday), five changes.
    const CliResult r = RunArgs({"pca", "--from", "2010-07-01", "--to", "2010-07-09", "--series", "10Y,2Y,3M,5Y"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "Observations\t5");
    EXPECT_EQ(lines[1], "Component\tExplained");
    double total = 0;
    for (int c = 0; c < 3; ++c) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[static_cast<size_t>(c) + 2], m,
                                     std::regex("PC" + std::to_string(c + 1) + "\t(\\d+\\.\\d{4})")));
        total += std::stod(m[1]);
    }
    EXPECT_LE(total, 100.0001);
    EXPECT_EQ(lines[5], "Loadings");
    EXPECT_EQ(lines[6], "Series\tPC1\tPC2\tPC3");
    const char* series[] = {"3M", "2Y", "5Y", "10Y"};
    for (size_t s = 0; s < 4; ++s)
        EXPECT_TRUE(std::regex_match(lines[s + 7], std::regex(std::string(series[s]) +
                                                                "(\t-?[01]\\.\\d{6}){3}")))
            << lines[s + 7];
}

// Monthly steps take the last day of each month; the default lambda and another give other betas.
TEST(CliFactors, DnsListing) {
    const CliResult r = RunArgs({"dns", "--from", "2010-06-01", "--to", "2010-08-31", "--step", "monthly"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Date\tLevel\tSlope\tCurvature\tRMSE");
    const char* dates[] = {"2010-06-30", "2010-07-30", "2010-08-31"};
    for (size_t k = 0; k < 3; ++k)
        EXPECT_TRUE(std::regex_match(lines[k + 1], std::regex(std::string(dates[k]) + "(\t-?\\d+\\.\\d{6}){4}")))
            << lines[k + 1];
    const CliResult other =
        RunArgs({"dns", "--from", "2010-06-01", "--to", "2010-08-31", "--step", "monthly", "--lambda", "0.03"});
    ASSERT_EQ(other.code, 0) << other.err;
    EXPECT_EQ(Lines(other.out).size(), 4u);
    EXPECT_NE(other.out, r.out);
}

TEST(CliFactors, BadInputAndUsage) {
    const std::string path = ::testing::TempDir() + "/factors-never.svg";
    std::remove(path.c_str());
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* errPart;
    };
    const Case cases[] = {
        {{"pca", "--from", "2010-07-01", "--to", "2010-07-02"}, 1, "two changes"},
        {{"pca", "--series", "3M,10Y"}, 1, "at least 3 series"},
        {{"pca", "--series", "3M,4Y,10Y"}, 1, "'4Y' is not a series"},
        {{"pca", "--from", "1975-01-01", "--to", "1975-12-31"}, 1, "observation"},
        {{"pca", "--from", "2010-07-09", "--to", "2010-07-01"}, 1, "before --from"},
        {{"dns", "--lambda", "0"}, 1, "positive number"},
        {{"dns", "--lambda", "-0.0609"}, 1, "positive number"},
        {{"dns", "--lambda", "0.06x"}, 1, "positive number"},
        {{"dns", "--series", "1Y,10Y"}, 1, "at least 3 series"},
        {{"plot", "dns", "--lambda", "0", "--out", path}, 1, "positive number"},
        {{"pca", "--step", "hourly"}, 2, "--step"},
        {{"pca", "--lambda", "0.06"}, 2, "unknown option"},
        {{"dns", "extra"}, 2, "no arguments"},
        {{"plot", "loadings", "dns", "--out", path}, 2, "alone"},
        {{"plot", "loadings", "--out", ::testing::TempDir() + "/factors.txt"}, 2, "--out"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args.back());
        const CliResult r = RunArgs(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(std::ifstream(path).good());
}

// Three polylines per picture, one per factor, one point per series or per observation.
TEST(CliFactors, PlotsDrawOneLinePerFactor) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> classes;
        size_t points;
    };
    const Case cases[] = {
        {{"plot", "loadings", "--from", "1984-01-01", "--to", "1988-06-30"}, {"pc1", "pc2", "pc3"}, 8},
        {{"plot", "--series", "1Y,5Y,10Y,30Y", "loadings"}, {"pc1", "pc2", "pc3"}, 4},
        {{"plot", "dns", "--from", "2010-01-01", "--to", "2010-12-31", "--step", "monthly"},
         {"level", "slope", "curvature"},
         12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const std::string path = ::testing::TempDir() + "/factors.svg";
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--out", path});
        const CliResult r = RunArgs(args);
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string svg = ReadFile(path);
        const std::regex line(R"re(<polyline class="(\w+)"[^>]*points="([^"]*)")re");
        std::vector<std::string> classes;
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), line); it != std::sregex_iterator(); ++it) {
            classes.push_back((*it)[1]);
            const std::string points = (*it)[2];
            EXPECT_EQ(static_cast<size_t>(std::count(points.begin(), points.end(), ',')), c.points);
        }
        EXPECT_EQ(classes, c.classes);
    }
}

} // namespace
} // namespace yarrow::testing
