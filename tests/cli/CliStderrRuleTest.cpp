#include "CliRunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace yarrow::testing {
namespace {

namespace fs = std::filesystem;

// The command line's stderr rule: a failure says exactly one line in the command line's own
// words and prints no result; a success says nothing (warnings aside). Inputs in other encodings,
// quoting and odd names are read as a spreadsheet program would.
TEST(CliStderrRule, OneLinePerFailureAndNoneOnSuccess) {
    const fs::path dir = fs::temp_directory_path() / ("yarrow-cli-rule-" + std::to_string(getpid()));
    fs::create_directories(dir);
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    };
    const std::string rows = "1\t0.29\t12/31/2011\t100\n2\t0.61\t12/31/2012\t100\n10\t3.3\t12/31/2020\t100\n";
    const std::string bill = write("bill.txt", "0D\t0\t12/31/2010\t99\n" + rows);
    const std::string binary = write("binary.txt", std::string("\x1b[31mred\0\x01\x02", 11));
    // UTF-16 with its byte-order mark: "2Y\t0.61\t12/31/2012\t100\n".
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("2Y\t0.61\t12/31/2012\t100\n"))
        utf16 += std::string{c, '\0'};
    const std::string wide = write("wide.txt", utf16);
    const std::string csv =
        write("q.csv", "\xEF\xBB\xBFName,Coupon,Maturity,Quote\r\n\"Note, \"\"A\"\"\",0.61,12/31/2012,100\r\n"
                       "\"Two\nLines\",3.3,12/31/2020,100\r\n");
    const std::string latin1 = write("latin1.txt", "Caf\xE9\t0.61\t12/31/2012\t100\n");
    const std::string book = write("Q3!rates xla.csv", "2Y,0.61,12/31/2012,100\n10Y,3.3,12/31/2020,100\n");
    const std::vector<std::string> date = {"--date", "12/31/2010", "--date-order", "mdy"};
    auto with = [&](std::vector<std::string> args, const std::vector<std::string>& tail) {
        args.insert(args.end(), date.begin(), date.end());
        args.insert(args.end(), tail.begin(), tail.end());
        return args;
    };
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string text;  // failure: in the stderr line; success: in stdout
        int outLines = -1; // success: stdout lines, when counted
    };
    const Case cases[] = {
        {with({"--quotes", bill}, {"nelson-siegel", "--fit"}), 1,
         "yarrow-cli: Division by zero: the bond 0D (grid row 2) matures on the quote date"},
        {with({"--quotes", binary}, {"bonds"}), 1, "is not a text file (it holds control characters)"},
        {with({"--quotes", wide}, {"bonds"}), 0, "2Y\t0.6100\t12/31/2012", 2},
        {with({"--quotes", csv}, {"bonds"}), 0, "Note, \"A\"\t0.6100", 3},
        {with({"--quotes", csv}, {"bonds"}), 0, "Two Lines\t3.3000", 3},
        {with({"--quotes", latin1}, {"bonds", "--format", "json"}), 0, "\"Caf\xC3\xA9\""},
        {{"calc", "pv", dir.string()}, 1, "' is a folder: name a file"},
        {{"calc", "maturity", "--date-order", "mdy", "--today", "02/30/2010", "--future", "91"},
         1,
         "yarrow-cli: --today: '02/30/2010' is not a date"},
        {{"history", "--from", "9999-11-15", "--to", "9999-12-31", "--step", "monthly"}, 0, "9999-12-15", 3},
        {{"plot", "ytm", "--out", (dir / "none" / "p.svg").string()}, 1, "p.svg': No such file or directory"},
#ifdef YARROW_CLI_IO
        // Four columns: the window's note on the missing yield column is no failure.
        {with({"--workbook", book, "--columns", "A,B,C,D", "--rows", "1-2"}, {"bonds"}), 0, "10Y\t3.3000", 3},
        {{"link", "System", "Topics"}, 1, "yarrow-cli: no workbook is open: name one with --workbook FILE"},
#endif
    };
    for (const Case& c : cases) {
        const CliResult r = RunArgs(c.args);
        std::string line;
        for (const std::string& a : c.args)
            line += a + " ";
        EXPECT_EQ(r.code, c.code) << line << "\n" << r.err;
        EXPECT_EQ(std::count_if(r.err.begin(), r.err.end(),
                                [](char ch) { return static_cast<unsigned char>(ch) < 0x20 && ch != '\n'; }),
                  0)
            << line << "\n"
            << r.err;
        if (c.code != 0) {
            EXPECT_EQ(r.out, "") << line;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << line << "\n" << r.err;
            EXPECT_EQ(r.err.rfind("yarrow-cli: ", 0), 0u) << line << "\n" << r.err;
            EXPECT_NE(r.err.find(c.text), std::string::npos) << line << "\n" << r.err;
        } else {
            EXPECT_EQ(r.err, "") << line;
            EXPECT_NE(r.out.find(c.text), std::string::npos) << line << "\n" << r.out;
            if (c.outLines >= 0) {
                EXPECT_EQ(int(Lines(r.out).size()), c.outLines) << line << "\n" << r.out;
            }
        }
    }
    fs::remove_all(dir);
}

} // namespace
} // namespace yarrow::testing
