#include "CliRunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using namespace yarrow::testing;

struct CalcCase {
    std::vector<std::string> args;
    int code;
    const char* out;
    const char* err; // the start of stderr
};

TEST(CliCalc, AnswersAsTheCalculatorsWindowShows) {
    namespace fs = std::filesystem;
    const fs::path pv = fs::temp_directory_path() / ("yarrow-cli-" + std::to_string(::getpid()) + "-pv.csv");
    std::ofstream(pv, std::ios::binary) << "1,0.05,100\r\n2\t5\t100\r\n,,\r\n";
    const fs::path bad =
        fs::temp_directory_path() / ("yarrow-cli-" + std::to_string(::getpid()) + "-bad.csv");
    std::ofstream(bad, std::ios::binary) << "1,0.05,100\n2,five,100\n";

    const CalcCase cases[] = {
        {{"calc", "keys", "7", "/", "0", "="},
         0,
         "7\t7.\n/\t7.\n0\t0.\nCalculator: Can't divide by zero\n=\t7.\n",
         ""},
        {{"calc", "keys", "5", "0", "X", "1", "0", "%", "=", "paste=1.5", "CE"},
         0,
         "5\t5.\n0\t50.\nX\t50.\n1\t1.\n0\t10.\n%\t0.1\n=\t5\npaste=1.5\t1.5\nCE\t0.\n",
         ""},
        {{"--date-order", "mdy", "calc", "date-rule", "--month", "December", "--year", "2026"},
         0,
         "12/19/2026\n",
         ""},
        {{"--date-order", "dmy", "calc", "date-rule", "--weekday", "Mon", "--reference", "friday", "--month",
          "1", "--year", "2027"},
         0,
         "18/01/2027\n",
         ""},
        {{"calc", "date-rule", "--when", "before", "--year", "twenty"}, 1, "", "yarrow-cli: Invalid year\n"},
        {{"--date-order", "mdy", "calc", "maturity", "--today", "01/01/2027", "--future", "91"},
         0,
         "Future Date: 04/02/2027\nMaturity: 0.24931507\n",
         ""},
        {{"--date-order", "mdy", "calc", "maturity", "--today", "01/01/2027", "--future", "01/01/2026"},
         0,
         "Maturity: -1.00\n",
         ""},
        {{"calc", "maturity", "--today", "01/01/2027", "--future", "soon"},
         1,
         "",
         "yarrow-cli: Please enter both dates\n"},
        {{"--date-order", "mdy", "calc", "rate", "libor", "--today", "01/01/2027", "--maturity", "180",
          "--quote", "0.05"},
         0,
         "Interest Rate: 0.0500711\n",
         ""},
        {{"calc", "rate", "zero", "--today", "01/01/2027", "--maturity", "365", "--quote", "95"},
         0,
         "Interest Rate: 0.0512933\n",
         ""},
        {{"calc", "rate", "tbill", "--maturity", "90", "--quote", "lots"},
         1,
         "",
         "yarrow-cli: Invalid Entry for T-Bill\n"},
        {{"calc", "rate", "discrete", "--quote", "0.045", "--frequency", "2"},
         0,
         "Interest Rate: 0.0445012\n",
         ""},
        {{"calc", "rate", "discrete", "--quote", "0.045", "--frequency", "0"},
         1,
         "",
         "yarrow-cli: Invalid frequency, please enter an integer between 1 and 365\n"},
        {{"calc", "pv", pv.string()}, 0, "185.606689\n", ""},
        {{"calc", "pv", bad.string()}, 1, "", "yarrow-cli: Non-numeric entry in table\n"},
        {{"calc", "log", "10"}, 0, "2.30258509\n", ""},
        {{"calc", "exp", "1"}, 0, "2.71828183\n", ""},
        {{"calc", "log", "-1"}, 0, "NA\n", ""},
        {{"calc", "exp", "e"}, 1, "", "yarrow-cli: Invalid number\n"},
        {{"calc", "keys", "7", "Q"}, 2, "", "yarrow-cli: unknown key 'Q'"},
        {{"calc", "rate", "swap"}, 2, "", "yarrow-cli: calc rate takes"},
        {{"calc", "date-rule", "--weekday", "Funday"}, 2, "", "yarrow-cli: --weekday takes a weekday name"},
        {{"calc"}, 2, "", "yarrow-cli: calc takes"},
    };
    for (const CalcCase& c : cases) {
        const CliResult r = RunArgs(c.args);
        std::string line;
        for (const std::string& a : c.args)
            line += a + " ";
        EXPECT_EQ(r.code, c.code) << line << r.err;
        EXPECT_EQ(r.out, c.out) << line;
        EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << line << "\n" << r.err;
    }
    fs::remove(pv);
    fs::remove(bad);
}

} // namespace
