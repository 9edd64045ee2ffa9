#include "CliRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace yarrow::testing;

namespace fs = std::filesystem;

std::vector<std::vector<std::string>> Table(const std::string& tsv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(tsv);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::string cell;
        std::istringstream fields(line);
        while (std::getline(fields, cell, '\t'))
            cells.push_back(cell);
        if (!line.empty() && line.back() == '\t')
            cells.push_back("");
        rows.push_back(cells);
    }
    return rows;
}

class TempDir {
public:
    TempDir() {
        path_ = fs::temp_directory_path() /
                ("yarrow-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
        return (path_ / name).string();
    }
    const fs::path& path() const { return path_; }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

TEST(CliBonds, BundledSnapshotListsTheTenH15Bonds) {
    CliResult r = RunArgs({"--date-order", "mdy", "bonds"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto t = Table(r.out);
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(t[0], (std::vector<std::string>{"Bond", "Coupon", "Maturity", "Quote", "BEY", "Value"}));
    // Bills are quoted by their yield, maturing 3 and 6 months after the 3-month date.
    EXPECT_EQ(t[1][0], "3TD");
    EXPECT_EQ(t[1][2], "03/31/2011");
    EXPECT_EQ(t[1][3], "0.1200");
    EXPECT_EQ(t[2][2], "06/30/2011");
    // Par bonds quoted at 100 on a coupon date: no accrued interest and a yield equal to the coupon.
    const char* names[] = {"1", "2", "3", "5", "7", "10", "20", "30"};
    const char* coupons[] = {"0.2900", "0.6100", "1.0200", "2.0100", "2.7100", "3.3000", "4.1300", "4.3400"};
    for (int k = 0; k < 8; ++k) {
        const auto& row = t[static_cast<size_t>(k) + 3];
        EXPECT_EQ(row[0], names[k]);
        EXPECT_EQ(row[1], coupons[k]);
        EXPECT_EQ(row[3], "100.0000");
        EXPECT_EQ(row[4], coupons[k]) << "BEY of " << names[k];
        EXPECT_EQ(row[5], "100.0000");
    }
    EXPECT_EQ(t[8][2], "12/31/2020");
}

TEST(CliBonds, DayFirstOrderWritesDayFirstMaturities) {
    CliResult r = RunArgs({"bonds", "--date-order", "dmy"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto t = Table(r.out);
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(t[1][2], "31/03/2011");
    EXPECT_EQ(t[8][2], "31/12/2020");
}

TEST(CliQuotes, RowsAsPastedWithHeadingBillsAndTheBillQuestion) {
    TempDir dir;
    const std::string file = dir.Write("sheet.txt", "Name\tCoupon\tMaturity\tQuote\tYield\r\n"
                                                    "US T-Bill Jun\t0\t06/30/2011\t0.19\r\n"
                                                    "Zero 2015\t0\t12/31/2015\t5.5\r\n"
                                                    "Note 2020\t3.5\t12/31/2020\t1,01.5\r\n");
    CliResult yes = RunArgs({"--quotes", file, "--date", "12/31/2010", "--date-order", "mdy", "bonds"});
    ASSERT_EQ(yes.code, 0) << yes.err;
    auto t = Table(yes.out);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1][0], "US T-Bill Jun");
    EXPECT_EQ(t[1][5], "99.9045"); // the 6-month bill of the snapshot, priced on its discount
    // "Zero 2015" answered Yes: a bill at discount 5.5 for five years.
    EXPECT_EQ(t[2][3], "5.5000");
    EXPECT_EQ(t[2][5], "72.1028"); // 100 x (1 - 1826/360 x 0.055)
    // The pasted comma is dropped: 1,01.5 reads 101.5; a coupon date on the quote date means no accrual.
    EXPECT_EQ(t[3][1], "3.5000");
    EXPECT_EQ(t[3][3], "101.5000");
    EXPECT_EQ(t[3][5], "101.5000");

    CliResult no =
        RunArgs({"--quotes", file, "--date", "12/31/2010", "--date-order", "mdy", "--bills", "no", "bonds"});
    ASSERT_EQ(no.code, 0) << no.err;
    auto u = Table(no.out);
    ASSERT_EQ(u.size(), 4u);
    EXPECT_EQ(u[2][5], "5.5000"); // a zero-coupon bond quoted at 5.5 percent of face
    EXPECT_EQ(u[1], t[1]);        // a bill by name asks nothing
}

TEST(CliQuotes, CsvAndStdinReadTheSameRows) {
    TempDir dir;
    const std::string csv = dir.Write("q.csv", "Note,2.5,6/30/2014,99.75\nBond,4,12/31/2030,102\n");
    CliResult a = RunArgs({"--quotes", csv, "--date", "12/31/2010", "--date-order", "mdy", "bonds"});
    CliResult b = RunArgs({"--quotes", "-", "--date", "12/31/2010", "--date-order", "mdy", "bonds"},
                          "Note\t2.5\t6/30/2014\t99.75\nBond\t4\t12/31/2030\t102\n");
    ASSERT_EQ(a.code, 0) << a.err;
    ASSERT_EQ(b.code, 0) << b.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(Table(a.out).size(), 3u);
}

TEST(CliCurves, ZeroAndForwardGiveTenRatesAndTheFirstForwardIsTheFirstZero) {
    CliResult zero = RunArgs({"--date-order", "mdy", "curve", "zero", "--compounding", "semi-annual"});
    CliResult fwd = RunArgs({"--date-order", "mdy", "curve", "forward"});
    CliResult zc = RunArgs({"--date-order", "mdy", "curve", "zero"});
    CliResult ytm = RunArgs({"--date-order", "mdy", "curve", "ytm"});
    for (const CliResult* r : {&zero, &fwd, &zc, &ytm})
        ASSERT_EQ(r->code, 0) << r->err;
    auto z = Table(zero.out), f = Table(fwd.out), c = Table(zc.out), y = Table(ytm.out);
    ASSERT_EQ(z.size(), 11u);
    ASSERT_EQ(f.size(), 11u);
    EXPECT_EQ(z[0], (std::vector<std::string>{"Bond", "Years", "Zero's"}));
    EXPECT_EQ(f[0], (std::vector<std::string>{"Bond", "Years", "Forwards"}));
    EXPECT_EQ(y[0][2], "YTM");
    EXPECT_EQ(f[1][2], c[1][2]);
    EXPECT_EQ(z[8][0], "10");
    // The 10-year point lies at 10 years and 3 days (two leap days in 3653 days / 365).
    EXPECT_EQ(z[8][1], "10.0082");
    // An upward-sloping par curve has zeros above the par yields and forwards above the zeros.
    for (size_t i = 3; i <= 10; ++i) {
        EXPECT_GT(std::stod(c[i][2]), std::stod(y[i][2]) - 1e-4) << i;
        EXPECT_GT(std::stod(f[i][2]), std::stod(c[i][2])) << i;
    }
    // Continuous zero rates sit below the semi-annual ones.
    EXPECT_LT(std::stod(c[10][2]), std::stod(z[10][2]));
}

TEST(CliAnalytics, GridHasEightColumnsAndZeroQuantities) {
    CliResult r = RunArgs({"--date-order", "mdy", "analytics"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto t = Table(r.out);
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(t[0], (std::vector<std::string>{"", "Quantity", "Value", "Yield", "$Duration", "$Convexity",
                                              "Duration", "Convexity"}));
    for (size_t i = 1; i < t.size(); ++i) {
        ASSERT_EQ(t[i].size(), 8u);
        EXPECT_EQ(t[i][1], "0");
    }
    // A bill's duration is its years to maturity: 90 days / 365.
    EXPECT_EQ(t[1][0], "3TD");
    EXPECT_EQ(t[1][6], "0.2466");
}

TEST(CliFailures, BadInputGivesOneClearLineAndExitOne) {
    TempDir dir;
    CliResult missing = RunArgs({"--quotes", (dir.path() / "nope.txt").string(), "bonds"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("cannot read quotes file"), std::string::npos);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);

    const std::string badDate = dir.Write("bad.txt", "Note\t3\tnot a date\t100\n");
    CliResult unreadable = RunArgs({"--quotes", badDate, "--date", "12/31/2010", "bonds"});
    EXPECT_EQ(unreadable.code, 1);
    EXPECT_EQ(unreadable.err, "yarrow-cli: Grid row 2 (Note): Type mismatch\n");

    const std::string unnamed = dir.Write("empty.txt", "\t3\t12/31/2020\t100\n");
    CliResult empty = RunArgs({"--quotes", unnamed, "--date", "12/31/2010", "bonds"});
    EXPECT_EQ(empty.code, 1);
    EXPECT_NE(empty.err.find("empty"), std::string::npos);

    const std::string ok = dir.Write("ok.txt", "Note\t3\t12/31/2020\t100\n");
    CliResult badQuoteDate = RunArgs({"--quotes", ok, "--date", "31st of Smarch", "bonds"});
    EXPECT_EQ(badQuoteDate.code, 1);
    EXPECT_NE(badQuoteDate.err.find("not a date"), std::string::npos);

    CliResult noSeries = RunArgs({"--h15", dir.path().string(), "bonds"});
    EXPECT_EQ(noSeries.code, 1);
    EXPECT_NE(noSeries.err.find("H15_TCMNOM_M3_2010.txt"), std::string::npos);
}

TEST(CliFailures, BadUsageExitsTwo) {
    for (std::vector<std::string> args :
         std::vector<std::vector<std::string>>{{"curve"},
                                               {"curve", "sideways"},
                                               {"curve", "zero", "--compounding", "hourly"},
                                               {"bonds", "--frobnicate"},
                                               {"--date-order", "ymd", "bonds"},
                                               {"--bills", "maybe", "bonds"},
                                               {"--quotes", "a", "--h15", "b", "bonds"},
                                               {"--quotes"},
                                               {"--date", "1/1/2011"}}) {
        CliResult r = RunArgs(args);
        EXPECT_EQ(r.code, 2) << args[0];
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("yarrow-cli: "), std::string::npos);
    }
}

TEST(CliSeries, SeriesFolderWithABadRateWritesZeroAndKeepsGoing) {
    TempDir dir;
    const std::string bundled = YARROW_SOURCE_RESOURCES "/FRBData";
    for (const auto& entry : fs::directory_iterator(bundled))
        fs::copy_file(entry.path(), dir.path() / entry.path().filename());
    {
        std::ofstream m3(dir.path() / "H15_TCMNOM_M3_2010.txt", std::ios::binary);
        m3 << "2010-06-29,0.16\r\n2010-06-30,n/a\r\n";
    }
    CliResult r = RunArgs({"--h15", dir.path().string(), "--date-order", "mdy", "bonds"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto t = Table(r.out);
    ASSERT_EQ(t.size(), 11u);
    EXPECT_EQ(t[1][3], "0.0000");
    // Every maturity counts from the 3-month file's date.
    EXPECT_EQ(t[1][2], "09/30/2010");
    EXPECT_EQ(t[8][2], "06/30/2020");
}

} // namespace
