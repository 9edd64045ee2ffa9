// Inputs whose results would not be numbers end in the error report and exit 1; results that
// are computed as asked but probably not meant come with a warning on stderr.

#include "CliRunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using namespace yarrow::testing;

namespace fs = std::filesystem;

std::string TempFile(const std::string& name, const std::string& text) {
    const fs::path p =
        fs::temp_directory_path() / ("yarrow-cli-bad-" + std::to_string(::getpid()) + "-" + name);
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
}

CliResult RunQuotes(const std::string& rows, std::vector<std::string> command) {
    std::vector<std::string> args = {"--quotes", "-", "--date", "12/31/2010", "--date-order", "mdy"};
    args.insert(args.end(), command.begin(), command.end());
    return RunArgs(args, rows);
}

TEST(CliBadInput, ResultsThatAreNoNumbersAreErrorsOrNotes) {
    const std::string cashFlows = TempFile("flows.txt", "0.25,100\n0.5,100\n");
    struct Case {
        const char* name;
        std::string rows;
        std::vector<std::string> command;
        int code;
        std::string err; // what stderr must say
    };
    const std::string good = "2Y\t2\t12/31/2012\t100\n";
    const Case cases[] = {
        // A bond without a yield lists n/a for its risk and stays out of the solve.
        {"zero coupon at par: no yield, risk at -999",
         "Z\t0\t12/31/2015\t100\n" + good,
         {"analytics"},
         0,
         "No yield between 0.01% and 99% fits the price of Z: the risk measures show n/a"},
        {"the optimiser reads the same risk",
         "Z\t0\t12/31/2015\t100\n" + good,
         {"optimize", "--strategy", "max-yield", "--value", "100", "--duration", "300"},
         0,
         "Left out, as no yield fits their price: Z."},
        {"bill at -1: the stream's yield fails",
         "3TD\t0\t6/30/2011\t-1\n" + good,
         {"cashflows", cashFlows},
         1,
         "yarrow-cli: Overflow"},
        {"bill at 400: square root of a negative",
         "6TD\t0\t10/27/2011\t400\n" + good,
         {"bonds"},
         1,
         "yarrow-cli: Invalid procedure call or argument"},
        {"bond at 1000, annual zero rates",
         "C\t5\t12/31/2015\t1000\n" + good,
         {"curve", "zero", "--compounding", "annual"},
         1,
         "yarrow-cli: Invalid procedure call or argument"},
        {"bond at 1000, semi-annual zero rates",
         "C\t5\t12/31/2015\t1000\n" + good,
         {"curve", "zero", "--compounding", "semi-annual"},
         1,
         "yarrow-cli: Invalid procedure call or argument"},
    };
    for (const Case& c : cases) {
        const CliResult r = RunQuotes(c.rows, c.command);
        EXPECT_EQ(r.code, c.code) << c.name << "\n" << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos)
            << c.name << "\n"
            << r.err;
        EXPECT_EQ(r.out.find("NaN"), std::string::npos) << c.name;
        EXPECT_EQ(r.out.find("Inf"), std::string::npos) << c.name;
    }
    fs::remove(cashFlows);
}

TEST(CliBadInput, DegenerateResultsWarnAndPrintTheSameTables) {
    struct Case {
        const char* name;
        std::string rows;
        std::vector<std::string> command;
        const char* warning; // nullptr: none
    };
    const std::string three =
        "1\t0.29\t12/31/2011\t100\n2\t0.61\t12/31/2012\t100\n10\t3.3\t12/31/2020\t100\n";
    const Case cases[] = {
        {"distinct maturities", three, {"curve", "zero"}, nullptr},
        {"two bonds on one day",
         three + "10b\t3.5\t12/31/2020\t101\n",
         {"curve", "zero"},
         "Bonds 10 and 10b mature on the same day (10.0082 years)"},
        {"a blank row ends the table",
         "1\t0.29\t12/31/2011\t100\n \t\t\t\n10\t3.3\t12/31/2020\t100\n",
         {"bonds"},
         "Row 3 of the grid has no name, so the bond table ends with 1 bond(s) above it; 1 named"},
        {"a fit over two maturities",
         "1\t0.29\t12/31/2011\t100\n2\t0.61\t12/31/2012\t100\n",
         {"nelson-siegel", "--fit"},
         "at least three different maturities; with 2"},
    };
    for (const Case& c : cases) {
        const CliResult r = RunQuotes(c.rows, c.command);
        EXPECT_EQ(r.code, 0) << c.name << "\n" << r.err;
        if (c.warning) {
            EXPECT_EQ(r.err.rfind("yarrow-cli: warning: ", 0), 0u) << c.name << "\n" << r.err;
            EXPECT_NE(r.err.find(c.warning), std::string::npos) << c.name << "\n" << r.err;
        } else
            EXPECT_EQ(r.err, "") << c.name;
        EXPECT_EQ(r.out.find("warning"), std::string::npos) << c.name;
    }
}

TEST(CliBadInput, AFailingRowIsNamedAfterTheReport) {
    const CliResult r = RunQuotes("1\t0.29\t12/31/2011\t100\n5\t2\tJune 31st\t100\n", {"bonds"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "yarrow-cli: Grid row 3 (5): Type mismatch\n");
}

} // namespace
