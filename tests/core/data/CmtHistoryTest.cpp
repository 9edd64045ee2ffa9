#include "core/data/CmtHistory.h"

#include "core/data/FrbSeries.h"
#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace yarrow {
namespace {

const std::string kResources =
    (std::filesystem::path(YARROW_SOURCE_DIR) / "resources").lexically_normal().string();

const CmtHistory& History() {
    static const CmtHistory h =
        CmtHistory::FromFile(kResources + "/history/treasury-cmt-daily-1962-2025.tsv");
    return h;
}

Date Iso(const char* text) {
    return CDate(text, DateOrder::MonthFirst);
}

// "3M 0.18 6M 0.22 ..." of a day: the series present and their rates.
std::string Describe(const CmtDay& day) {
    static const char* names[] = {"3M", "6M", "1Y", "2Y", "3Y", "5Y", "7Y", "10Y", "20Y", "30Y"};
    std::string s;
    for (const CmtObservation& o : day.rows)
        s += std::string(s.empty() ? "" : " ") + names[o.series] + " " + HundredthsText(o.hundredths);
    return s;
}

// Figures read off the text by hand.
TEST(CmtHistory, DaysAsTheFileStatesThem) {
    struct Case {
        const char* asked;
        const char* quoteDate; // empty: no series in the window
        const char* rates;
    };
    const Case cases[] = {
        {"2010-06-30", "2010-06-30",
         "3M 0.18 6M 0.22 1Y 0.32 2Y 0.61 3Y 1.00 5Y 1.79 7Y 2.42 10Y 2.97 20Y 3.74 30Y 3.91"},
        // Before the bill series began, and no 20-year yet: the 1-year is the shortest.
        {"1981-09-30", "1981-09-30", "1Y 16.64 2Y 16.69 3Y 16.45 5Y 16.27 7Y 16.05 10Y 15.84 30Y 15.19"},
        // The 30-year was not published in 2004 ("." on every day).
        {"2004-06-15", "2004-06-15",
         "3M 1.34 6M 1.68 1Y 2.16 2Y 2.77 3Y 3.26 5Y 3.90 7Y 4.31 10Y 4.69 20Y 5.41"},
        // A day of "." everywhere and a Sunday take the business day before.
        {"2004-06-11", "2004-06-10",
         "3M 1.30 6M 1.65 1Y 2.14 2Y 2.81 3Y 3.32 5Y 4.00 7Y 4.43 10Y 4.81 20Y 5.52"},
        {"2010-07-04", "2010-07-02",
         "3M 0.17 6M 0.22 1Y 0.31 2Y 0.63 3Y 1.04 5Y 1.82 7Y 2.46 10Y 3.00 20Y 3.77 30Y 3.94"},
        // The ends of the file.
        {"1962-01-02", "1962-01-02", "1Y 3.22 3Y 3.70 5Y 3.88 10Y 4.06"},
        {"1962-01-01", "", ""},
        {"2025-08-10", "2025-07-11",
         "3M 4.41 6M 4.31 1Y 4.09 2Y 3.90 3Y 3.86 5Y 3.99 7Y 4.19 10Y 4.43 20Y 4.96 30Y 4.96"},
        {"2025-08-11", "", ""},
        // Inside the Treasury's span, the inversion of 2023.
        {"2023-07-03", "2023-07-03",
         "3M 5.44 6M 5.53 1Y 5.43 2Y 4.94 3Y 4.56 5Y 4.19 7Y 4.03 10Y 3.86 20Y 4.08 30Y 3.87"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        const CmtDay day = History().DayOf(Iso(c.asked));
        if (*c.quoteDate == 0) {
            EXPECT_TRUE(day.Empty());
            continue;
        }
        EXPECT_EQ(day.quoteDate, Iso(c.quoteDate));
        EXPECT_EQ(Describe(day), c.rates);
    }
    // The last 30-year observation (2002-02-15) counts for 30 days and no longer.
    EXPECT_NE(Describe(History().DayOf(Iso("2002-03-17"))).find("30Y 5.37"), std::string::npos);
    EXPECT_EQ(Describe(History().DayOf(Iso("2002-03-18"))).find("30Y"), std::string::npos);
    EXPECT_EQ(History().First(), Iso("1962-01-02"));
    EXPECT_EQ(History().Last(), Iso("2025-07-11"));
}

// The year-end day of the history writes the very grid the bundled series files give, and a day
// with missing series keeps its rows together so the whole table is built.
TEST(CmtHistory, WritesTheGridOfTheSeriesSource) {
    Session fromFiles;
    GridModel expected;
    GrabFRBYieldCurveFromFolder(kResources + "/FRBData", expected, fromFiles);

    Session session;
    GridModel grid(3, 3);
    grid.SetTextMatrix(1, 1, "old");
    WriteCmtDay(History().DayOf(Iso("2010-12-31")), grid, session);
    EXPECT_EQ(session.quoteDate, fromFiles.quoteDate);
    ASSERT_EQ(grid.Rows(), expected.Rows());
    ASSERT_EQ(grid.Cols(), expected.Cols());
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
            EXPECT_EQ(grid.TextMatrix(r, c), expected.TextMatrix(r, c)) << r << "," << c;

    WriteCmtDay(History().DayOf(Iso("1981-09-30")), grid, session);
    EXPECT_EQ(session.quoteDate, "1981-09-30");
    const char* names[] = {"1", "2", "3", "5", "7", "10", "30", ""};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(grid.TextMatrix(k + 2, 1), names[k]);
    EXPECT_EQ(grid.TextMatrix(2, 2), "16.6400");
    EXPECT_EQ(grid.TextMatrix(8, 3), "9/30/2011");
    BuildBondTable(session, grid, "09/30/1981");
    ASSERT_EQ(session.nBonds, 7);
    // Inverted: the 1-year yields more than the 10-year.
    EXPECT_GT(session.Bond(1).GetYTM(), session.Bond(6).GetYTM());

    EXPECT_THROW(WriteCmtDay(History().DayOf(Iso("1961-06-30")), grid, session), RuntimeError);
    EXPECT_EQ(grid.TextMatrix(2, 1), "1");
}

TEST(CmtHistory, CompactFormReadsBackAndBadInputIsRefused) {
    const std::string compact = History().ToCompact();
    const CmtHistory back = CmtHistory::FromBytes(compact);
    ASSERT_EQ(back.Size(), History().Size());
    for (size_t k = 0; k < back.Size(); ++k) {
        ASSERT_EQ(back.DayAt(k), History().DayAt(k));
        for (int s = 0; s < kFrbSeriesCount; ++s)
            ASSERT_EQ(back.RateAt(k, s), History().RateAt(k, s)) << k << "," << s;
    }

    const std::string header = "DATE\tDGS1\tDGS10\tDGS2\tDGS20\tDGS3\tDGS30\tDGS3MO\tDGS5\tDGS6MO\tDGS7\n";
    const CmtHistory crlf =
        CmtHistory::FromText("DATE\tDGS3MO\tDGS6MO\tDGS1\tDGS2\tDGS3\tDGS5\tDGS7\tDGS10\tDGS20\tDGS30\r\n"
                             "2000-01-03\t-0.05\t5\t.\t\t1.5\t0.07\t327.67\t1\t2\t3\r\n");
    EXPECT_EQ(Describe(crlf.DayOf(Iso("2000-01-03"))), "3M -0.05 6M 5.00 3Y 1.50 5Y 0.07 7Y 327.67 10Y 1.00 "
                                                       "20Y 2.00 30Y 3.00");
    const std::string bad[] = {
        "",
        "DAY\tDGS1\n",
        "DATE\tDGS1\tDGS10\n",                     // series columns missing
        header + "2000-01-03\t1.234\n",            // three decimals
        header + "2000-01-03\t1.2x\n",             // not a number
        header + "2000-01-03\t400\n",              // beyond the compact range
        header + "2000-02-30\t1\n",                // no such day
        header + "2000-01-04\t1\n2000-01-03\t1\n", // dates going back
        compact.substr(0, compact.size() - 1),     // truncated
        compact + "x",                             // trailing bytes
    };
    for (const std::string& text : bad)
        EXPECT_THROW(CmtHistory::FromBytes(text), CmtHistoryError) << text.substr(0, 80);
    EXPECT_THROW(CmtHistory::FromFile(kResources + "/history/none.tsv"), CmtHistoryError);
}

} // namespace
} // namespace yarrow
