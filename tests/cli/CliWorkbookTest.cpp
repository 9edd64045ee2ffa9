#include "CliRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace yarrow::testing {
namespace {

const std::string kExcelBook = YARROW_SOURCE_DIR "/tests/io/data/treasury-cmt-history-excel.xlsx";

// A workbook of three quotes under a heading row, written for one test.
struct QuotesFile {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "cli-quotes.csv";
    QuotesFile() {
        std::ofstream(path) << "Name,Coupon,Maturity,Quote,Yield\n"
                               "2Y Note,0.625,12/31/2012,100.0313,0.61\n"
                               "5Y Note,2.125,12/31/2015,100.5469,2.01\n"
                               "30Y Bond,4.250,11/15/2040,98.1875,4.34\n";
    }
    ~QuotesFile() { std::filesystem::remove(path); }
};

TEST(CliWorkbook, RowsOfASheetBecomeTheBondTable) {
    QuotesFile book;
    const CliResult r = RunArgs({"--workbook", book.path.string(), "--columns", "a,2,C,D,E", "--rows", "2-4",
                                 "--date", "12/31/2010", "--date-order", "mdy", "bonds"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].substr(0, 8), "2Y Note\t");
    EXPECT_EQ(lines[3].substr(0, 9), "30Y Bond\t");
    EXPECT_NE(lines[3].find("11/15/2040"), std::string::npos);
}

TEST(CliWorkbook, RefusalsSayWhyOnStderr) {
    QuotesFile book;
    const std::string file = book.path.string();
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err; // start of stderr
    };
    const std::string missing = (std::filesystem::temp_directory_path() / "no-such.xlsx").string();
    const Case cases[] = {
        {{"--workbook", file, "--rows", "2-4", "bonds"}, 2, "yarrow-cli: --workbook needs --columns"},
        {{"--workbook", file, "--quotes", file, "bonds"}, 2, "yarrow-cli: give at most one input"},
        {{"--columns", "A,B,C,D", "bonds"},
         2,
         "yarrow-cli: --sheet, --columns and --rows go with --workbook"},
        {{"--workbook", missing, "--columns", "A,B,C,D", "--rows", "2-4", "bonds"},
         1,
         "yarrow-cli: no-such.xlsx cannot be read: the file cannot be opened (No such file"},
        {{"--workbook", file, "--sheet", "Nope", "--columns", "A,B,C,D", "--rows", "2-4", "bonds"},
         1,
         "yarrow-cli: no open sheet is named 'Nope'"},
        {{"--workbook", file, "--columns", "A,B,C,D", "--rows", "4-2", "bonds"},
         1,
         "yarrow-cli: --rows takes FIRST-LAST, rows 1 to 32767 with FIRST not after LAST (e.g. 2-20), not '4-2'"},
        {{"--workbook", file, "--columns", "A,B,C,D", "--rows", "1-1000000", "bonds"},
         1,
         "yarrow-cli: --rows takes FIRST-LAST, rows 1 to 32767"},
        {{"link", "System", "Topics"}, 1, "yarrow-cli: no workbook is open: name one with --workbook FILE\n"},
    };
    for (const Case& c : cases) {
        const CliResult r = RunArgs(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << r.err;
    }
}

TEST(CliWorkbook, LinkPrintsTheRawReply) {
    struct Case {
        std::string topic, item, out;
    };
    const Case cases[] = {
        {"System", "Topics", "[treasury-cmt-history-excel.xlsx]USTREASURY-YIELD\tSystem\n"},
        {"Excel|System", "Selection", "[treasury-cmt-history-excel.xlsx]USTREASURY-YIELD!R2C12\n"},
        {"[treasury-cmt-history-excel.xlsx]USTREASURY-YIELD", "R3C1:R4C2",
         "24/07/2018\t1.92\r\n23/07/2018\t1.88\n"},
    };
    for (const Case& c : cases) {
        const CliResult r =
            RunArgs({"link", "--workbook", kExcelBook, "--date-order", "dmy", c.topic, c.item});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

} // namespace
} // namespace yarrow::testing
