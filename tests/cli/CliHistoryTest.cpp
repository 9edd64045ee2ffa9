#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

using namespace yarrow::testing;

// The bond listing of a history day: rows, quote date and refusals.
TEST(CliHistory, HistoryDateIsAnInput) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::vector<std::string> firstBonds; // "name\tcoupon\tmaturity" of the first rows
        const char* errPart;
    };
    const Case cases[] = {
        {{"--date-order", "mdy", "--history-date", "2010-06-30", "bonds"},
         0,
         {"3TD\t0.0000\t09/30/2010", "6TD\t0.0000\t12/30/2010", "1\t0.3200\t06/30/2011"},
         ""},
        // A Sunday in the program's own date form takes the Friday before.
        {{"--date-order", "dmy", "--history-date", "4/7/2010", "bonds"},
         0,
         {"3TD\t0.0000\t02/10/2010", "6TD\t0.0000\t02/01/2011"},
         ""},
        // No bills before 1982: the 1-year is the first row.
        {{"--date-order", "mdy", "--history-date", "September 30, 1981", "bonds"},
         0,
         {"1\t16.6400\t09/30/1982", "2\t16.6900\t09/30/1983"},
         ""},
        {{"--history-date", "1961-12-29", "bonds"}, 1, {}, "no Treasury rates"},
        {{"--history-date", "someday", "bonds"}, 1, {}, "is not a date"},
        {{"--h15", ".", "--history-date", "2010-06-30", "bonds"}, 2, {}, "at most one input"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[c.args.size() - 2]);
        const CliResult r = RunArgs(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_GE(lines.size(), c.firstBonds.size() + (c.firstBonds.empty() ? 0 : 1));
        for (size_t k = 0; k < c.firstBonds.size(); ++k)
            EXPECT_EQ(lines[k + 1].substr(0, c.firstBonds[k].size()), c.firstBonds[k]);
    }
    // The 2004 table has no 30-year bond.
    const CliResult r2004 = RunArgs({"--history-date", "2004-06-15", "bonds"});
    EXPECT_EQ(Lines(r2004.out).size(), 10u);
    EXPECT_EQ(Lines(r2004.out).back().substr(0, 3), "20\t");
}

TEST(CliHistory, HistoryCommandSteps) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::vector<std::string> lines; // after the heading
    };
    const Case cases[] = {
        // Business days only: the weekend and the holiday of "." are skipped.
        {{"history", "--from", "2010-07-02", "--to", "2010-07-06"},
         0,
         {"2010-07-02\t0.17\t0.22\t0.31\t0.63\t1.04\t1.82\t2.46\t3.00\t3.77\t3.94",
          "2010-07-06\t0.17\t0.21\t0.32\t0.62\t1.00\t1.76\t2.40\t2.95\t3.71\t3.89"}},
        // Weekly from a Sunday takes each Friday before; absent series stay empty.
        {{"history", "--from", "1981-09-27", "--to", "1981-10-04", "--step", "weekly"},
         0,
         {"1981-09-27\t\t\t16.44\t16.53\t16.37\t16.13\t15.98\t15.68\t\t15.08",
          "1981-10-04\t\t\t16.40\t16.34\t16.11\t15.83\t15.69\t15.41\t\t14.80"}},
        // Monthly from the 31st keeps the month's end; past the history the rates are empty.
        {{"history", "--from", "2025-05-31", "--to", "2025-09-30", "--step", "monthly"},
         0,
         {"2025-05-31\t4.36\t4.36\t4.11\t3.89\t3.87\t3.96\t4.18\t4.41\t4.93\t4.92",
          "2025-06-30\t4.41\t4.29\t3.96\t3.72\t3.68\t3.79\t3.98\t4.24\t4.79\t4.78",
          "2025-07-31\t4.41\t4.31\t4.09\t3.90\t3.86\t3.99\t4.19\t4.43\t4.96\t4.96",
          "2025-08-31\t\t\t\t\t\t\t\t\t\t", "2025-09-30\t\t\t\t\t\t\t\t\t\t"}},
        {{"history", "--from", "2010-07-06", "--to", "2010-07-02"}, 1, {}},
        // Without --to: to the newest day held.
        {{"history", "--from", "2025-07-10"},
         0,
         {"2025-07-10\t4.42\t4.31\t4.07\t3.86\t3.82\t3.93\t4.12\t4.35\t4.87\t4.86",
          "2025-07-11\t4.41\t4.31\t4.09\t3.90\t3.86\t3.99\t4.19\t4.43\t4.96\t4.96"}},
        {{"history", "--to", "2010-07-06"}, 2, {}},
        {{"history", "--from", "2010-07-06", "--to", "2010-07-07", "--step", "hourly"}, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[2]);
        const CliResult r = RunArgs(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        if (c.code != 0)
            continue;
        auto lines = Lines(r.out);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], "Date\t3M\t6M\t1Y\t2Y\t3Y\t5Y\t7Y\t10Y\t20Y\t30Y");
        lines.erase(lines.begin());
        EXPECT_EQ(lines, c.lines);
    }
}

} // namespace
