#include "core/data/FrbSeries.h"

#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace yarrow {
namespace {

const std::string kFrbFolder =
    (std::filesystem::path(YARROW_SOURCE_DIR) / "resources/FRBData").lexically_normal().string();

// A plain-text file as the browser presents it.
std::string Browser(const std::string& fileText) {
    return "<pre style=\"word-wrap: break-word; white-space: pre-wrap;\">" + fileText + "</pre>";
}

std::string TwoLines(const std::string& last) {
    return "2010-06-29,0.16\r\n" + last + "\r\n";
}

int ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(FrbSeries, TableAndFileNames) {
    const auto& table = FrbSeriesTable();
    for (int i = 0; i < kFrbSeriesCount; ++i)
        EXPECT_EQ(table[static_cast<size_t>(i)].row, i + 2);
    EXPECT_EQ(FrbSeriesFileName(0), "H15_TCMNOM_M3_2010.txt");
    EXPECT_EQ(FrbSeriesFileName(7), "H15_TCMNOM_Y10_2010.txt");
    EXPECT_EQ(FrbSeriesFileName(9), "H15_TCMNOM_Y30_2010.txt");
    EXPECT_THROW(FrbSeriesFileName(10), RuntimeError);
}

TEST(FrbSeries, BundledFilesGiveTheYearEndCurve) {
    Session session;
    GridModel grid(3, 3);
    grid.SetTextMatrix(1, 1, "old");
    GrabFRBYieldCurveFromFolder(kFrbFolder, grid, session);
    EXPECT_EQ(session.quoteDate, "2010-12-31");
    ASSERT_EQ(grid.Rows(), 12);
    ASSERT_EQ(grid.Cols(), 5);
    const char* expected[10][4] = {
        {"3TD", "0", "3/31/2011", "0.1200"},   {"6TD", "0", "6/30/2011", "0.1900"},
        {"1", "0.2900", "12/31/2011", "100"},  {"2", "0.6100", "12/31/2012", "100"},
        {"3", "1.0200", "12/31/2013", "100"},  {"5", "2.0100", "12/31/2015", "100"},
        {"7", "2.7100", "12/31/2017", "100"},  {"10", "3.3000", "12/31/2020", "100"},
        {"20", "4.1300", "12/31/2030", "100"}, {"30", "4.3400", "12/31/2040", "100"},
    };
    for (int i = 0; i < 10; ++i)
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(grid.TextMatrix(i + 2, c), expected[i][c - 1]) << "row " << i + 2 << " col " << c;
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(grid.TextMatrix(0, c), "");
        EXPECT_EQ(grid.TextMatrix(1, c), "");
    }
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(grid.TextMatrix(r, 0), "");
}

TEST(FrbSeries, DayFirstShortDates) {
    Session session;
    session.dateOrder = DateOrder::DayFirst;
    GridModel grid;
    GrabFRBYieldCurveFromFolder(kFrbFolder, grid, session);
    EXPECT_EQ(grid.TextMatrix(2, 3), "31/3/2011");
    EXPECT_EQ(grid.TextMatrix(9, 3), "31/12/2020");
}

TEST(FrbSeries, BodyFormsGiveTheSameRow) {
    const std::string file = TwoLines("2010-06-30,0.17");
    std::string lf = file;
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;)
        lf.erase(p, 1);
    // The last observation counts whether or not a line break ends the file, and blank lines
    // after it change nothing.
    const std::string unended = "2010-06-29,0.16\r\n2010-06-30,0.17";
    for (const std::string& body : {file, Browser(file), Browser(lf), lf, unended, Browser(unended),
                                    Browser("2010-06-30,0.17"), Browser(file + "\r\n \r\n"), file + "\n\n"}) {
        Session session;
        GridModel grid;
        BeginFrbYieldCurve(grid, session);
        ReadFrbSeriesBody(0, body, grid, session);
        EXPECT_EQ(session.quoteDate, "2010-06-30");
        EXPECT_EQ(grid.TextMatrix(2, 1), "3TD");
        EXPECT_EQ(grid.TextMatrix(2, 3), "9/30/2010");
        EXPECT_EQ(grid.TextMatrix(2, 4), "0.1700");
    }
}

TEST(FrbSeries, QuoteDateComesFromTheFirstFileRead) {
    Session session;
    GridModel grid;
    BeginFrbYieldCurve(grid, session);
    ReadFrbSeriesBody(0, Browser(TwoLines("2010-06-30,0.17")), grid, session);
    ReadFrbSeriesBody(7, Browser(TwoLines("2010-07-02,2.97,extra")), grid, session);
    EXPECT_EQ(session.quoteDate, "2010-06-30");
    EXPECT_EQ(grid.TextMatrix(9, 1), "10");
    EXPECT_EQ(grid.TextMatrix(9, 2), "2.9700");
    EXPECT_EQ(grid.TextMatrix(9, 3), "6/30/2020");
    EXPECT_EQ(grid.TextMatrix(9, 4), "100");
}

TEST(FrbSeries, RateThatIsNotANumberReadsZero) {
    for (const char* rate : {"abc", "", ".", " "}) {
        Session session;
        GridModel grid;
        BeginFrbYieldCurve(grid, session);
        ReadFrbSeriesBody(0, Browser(TwoLines(std::string("2010-06-30,") + rate)), grid, session);
        ReadFrbSeriesBody(2, Browser(TwoLines(std::string("2010-06-30,") + rate)), grid, session);
        EXPECT_EQ(grid.TextMatrix(2, 4), "0.0000") << rate;
        EXPECT_EQ(grid.TextMatrix(4, 2), "0.0000") << rate;
    }
}

TEST(FrbSeries, FailuresAreRuntimeErrors) {
    struct Case {
        std::string body;
        int error;
    };
    const Case cases[] = {
        {Browser(TwoLines("2010-06-30 0.17")), 9}, // no comma
        {"", 9},                                   // fewer than two pieces
        {Browser("\r\n \r\n"), 9},                 // no observation line
        {Browser(TwoLines("June 31st,0.17")), 13}, // not a date
        {"<html><body>Not Found</body></html>\n", 9},
    };
    for (const Case& c : cases) {
        Session session;
        GridModel grid;
        BeginFrbYieldCurve(grid, session);
        EXPECT_EQ(ErrorNumber([&] { ReadFrbSeriesBody(0, c.body, grid, session); }), c.error) << c.body;
    }
}

TEST(FrbSeries, FailurePartWayKeepsEarlierRows) {
    Session session;
    GridModel grid;
    const int error = ErrorNumber([&] {
        GrabFRBYieldCurve(
            [](int i) { return i == 4 ? std::string("error page") : Browser(TwoLines("2010-12-31,1.5")); },
            grid, session);
    });
    EXPECT_EQ(error, 9);
    for (int r = 2; r <= 5; ++r)
        EXPECT_NE(grid.TextMatrix(r, 1), "") << r;
    for (int r = 6; r <= 11; ++r)
        EXPECT_EQ(grid.TextMatrix(r, 1), "") << r;
    // A bad date stops a bill row after its name and coupon.
    EXPECT_EQ(ErrorNumber([&] {
                  GrabFRBYieldCurve([](int) { return Browser(TwoLines("soon,0.1")); }, grid, session);
              }),
              13);
    EXPECT_EQ(grid.TextMatrix(2, 1), "3TD");
    EXPECT_EQ(grid.TextMatrix(2, 2), "0");
    EXPECT_EQ(grid.TextMatrix(2, 3), "");
    EXPECT_EQ(grid.TextMatrix(4, 1), "");
}

TEST(FrbSeries, MissingFolderFailsOnTheFirstFile) {
    Session session;
    GridModel grid;
    EXPECT_EQ(ErrorNumber([&] { GrabFRBYieldCurveFromFolder("/nonexistent/FRBData", grid, session); }), 9);
    EXPECT_EQ(session.quoteDate, "");
    EXPECT_EQ(grid.Rows(), 12);
}

} // namespace
} // namespace yarrow
