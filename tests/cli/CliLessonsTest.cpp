#include "CliRunner.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace {

using namespace yarrow::testing;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

size_t Count(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return static_cast<size_t>(std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

TEST(CliLessons, SpreadAndInversionsTables) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::vector<std::string> lines; // the first lines of the output
        const char* errPart;
    };
    const Case cases[] = {
        {{"spread", "--from", "2023-07-03", "--to", "2023-07-05"},
         0,
         {"Date\t10Y\t3M\tSpread", "2023-07-03\t3.86\t5.44\t-1.58", "2023-07-05\t3.95\t5.44\t-1.49"},
         ""},
        // Monthly steps take the day on or before, as `history` prints it; 1981 has no 3-month
        // series: the 1-year stands in.
        {{"spread", "--from", "1981-09-30", "--to", "1981-10-30", "--step", "monthly", "--short", "3m"},
         0,
         {"Date\t10Y\t3M\tSpread", "1981-09-30\t15.84\t16.64\t-0.80", "1981-10-30\t14.63\t14.31\t0.32"},
         ""},
        {{"spread", "--long", "2Y", "--short", "10Y"}, 2, {}, "shorter series"},
        {{"spread", "--long", "11Y"}, 2, {}, "--long takes"},
        {{"spread", "--from", "2020-01-02", "--to", "2019-01-02"}, 1, {}, "before --from"},
        // 2019-07-23 (10Y 2.08, 3M 2.06) ends the first run of the year.
        {{"inversions", "--from", "2019-01-01", "--to", "2020-12-31", "--min-days", "20"},
         0,
         {"First\tLast\tDays\tDeepest\tDeepest day\tMonths to recession", "2019-05-23\t2019-07-22\t41\t-0.28\t2019-06-03\t9"},
         ""},
        {{"inversions", "--min-days", "0"}, 2, {}, "--min-days"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const CliResult r = RunArgs(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_GE(lines.size(), c.lines.size());
        for (size_t k = 0; k < c.lines.size(); ++k)
            EXPECT_EQ(lines[k], c.lines[k]);
    }
}

TEST(CliLessons, PlotsCarryTheirClasses) {
    const std::string dir = ::testing::TempDir();
    const CliResult spread = RunArgs({"plot", "spread", "--from", "2000-01-01", "--to", "2009-12-31", "--out", dir + "/s.svg"});
    ASSERT_EQ(spread.code, 0) << spread.err;
    const std::string s = Slurp(dir + "/s.svg");
    EXPECT_EQ(Count(s, "<polyline class=\"spread\""), 1u);
    EXPECT_GE(Count(s, "<rect class=\"inversion\""), 2u);
    EXPECT_EQ(Count(s, "<rect class=\"recession\""), 2u);

    const CliResult map = RunArgs({"plot", "map", "--from", "2023-07-01", "--to", "2023-07-07", "--step", "daily",
                                   "--out", dir + "/m.svg", "--size", "800x400"});
    ASSERT_EQ(map.code, 0) << map.err;
    const std::string m = Slurp(dir + "/m.svg");
    // 4 business days (the 4th is a holiday) of ten series, the 1-month column not among them.
    EXPECT_EQ(Count(m, "<rect class=\"cell\""), 40u);
    EXPECT_EQ(Count(m, R"(data-date="2023-07-03" data-series="10Y" data-rate="3.86")"), 1u);
    EXPECT_NE(m.find("width=\"800\" height=\"400\""), std::string::npos);

    const CliResult film = RunArgs({"plot", "film-frame", "--date", "1981-06-30", "--trail", "3", "--out", dir + "/f.svg"});
    ASSERT_EQ(film.code, 0) << film.err;
    const std::string f = Slurp(dir + "/f.svg");
    EXPECT_EQ(Count(f, "<polyline class=\"trail\""), 3u);
    EXPECT_EQ(Count(f, "<polyline class=\"curve inverted\""), 1u);
    EXPECT_EQ(RunArgs({"plot", "film-frame", "--out", dir + "/g.svg"}).code, 2);
    EXPECT_EQ(RunArgs({"plot", "map", "ytm", "--out", dir + "/g.svg"}).code, 2);
}

} // namespace

namespace {

// Bad picture options are usage errors that leave no file; a PNG is written when Qt is there.
TEST(CliLessons, PlotOptionsAreChecked) {
    const std::string dir = ::testing::TempDir();
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* errPart;
    };
    const Case cases[] = {
        {{"plot", "spread", "--out", dir + "/x.txt"}, 2, ".svg or a .png"},
        {{"plot", "map", "--out", dir + "/x.svg", "--size", "10x10"}, 2, "--size"},
        {{"plot", "map", "--out", dir + "/x.svg", "--step", "hourly"}, 2, "--step"},
        {{"plot", "spread"}, 2, "--out"},
        {{"plot", "film-frame", "--date", "1950-01-03", "--out", dir + "/x.svg"}, 1, "no Treasury curve"},
        {{"plot", "film-frame", "--date", "1981-06-30", "--trail", "-1", "--out", dir + "/x.svg"}, 2, "--trail"},
    };
    for (const Case& c : cases) {
        const CliResult r = RunArgs(c.args);
        EXPECT_EQ(r.code, c.code) << c.args[1] << " " << r.err;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
    }
    EXPECT_TRUE(Slurp(dir + "/x.svg").empty());
#ifdef YARROW_CLI_IO
    const CliResult png = RunArgs({"plot", "spread", "--from", "2019-01-01", "--out", dir + "/s.png", "--size", "640x360"});
    ASSERT_EQ(png.code, 0) << png.err;
    EXPECT_EQ(Slurp(dir + "/s.png").substr(1, 3), "PNG");
#endif
}

} // namespace
