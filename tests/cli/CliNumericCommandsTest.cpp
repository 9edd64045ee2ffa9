#include "CliRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

using namespace yarrow::testing;

namespace fs = std::filesystem;

std::string TempFile(const std::string& name, const std::string& text) {
    const fs::path p = fs::temp_directory_path() / ("yarrow-cli-" + std::to_string(::getpid()) + "-" + name);
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
}

TEST(CliNelsonSiegel, DefaultsThenOneRowPerBond) {
    CliResult r = RunArgs({"--date-order", "mdy", "nelson-siegel"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], ".0680\t-.0400\t.0050");
    EXPECT_EQ(lines[1], "Years\tModel\tZero's");
    EXPECT_EQ(lines[11].rfind("30.0219\t", 0), 0u);

    CliResult typed = RunArgs({"nelson-siegel", "--level", ".05", "--slope", "0", "--curve", "0"});
    ASSERT_EQ(typed.code, 0) << typed.err;
    auto t = Lines(typed.out);
    EXPECT_EQ(t[0], ".0500\t.0000\t.0000");
    EXPECT_NE(t[2].find("\t0.0500\t"), std::string::npos); // a flat model
}

TEST(CliNelsonSiegel, FitLiesCloserToTheZeroCurveThanTheDefaults) {
    auto sse = [](const std::string& out) {
        double s = 0;
        auto lines = Lines(out);
        for (size_t i = 2; i < lines.size(); ++i) {
            double years, model, zero;
            std::sscanf(lines[i].c_str(), "%lf\t%lf\t%lf", &years, &model, &zero);
            s += (model - zero) * (model - zero);
        }
        return s;
    };
    CliResult defaults = RunArgs({"nelson-siegel"});
    CliResult fit = RunArgs({"nelson-siegel", "--fit"});
    ASSERT_EQ(fit.code, 0) << fit.err;
    EXPECT_NE(Lines(fit.out)[0], Lines(defaults.out)[0]);
    EXPECT_LT(sse(fit.out), sse(defaults.out) / 10);
}

TEST(CliNelsonSiegel, ANonNumericParameterIsATypeMismatch) {
    CliResult r = RunArgs({"nelson-siegel", "--level", "high"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("yarrow-cli: Type mismatch"), std::string::npos);
}

TEST(CliSpline, TablesOnTheThirtyYearCurve) {
    CliResult monthly = RunArgs({"spline"});
    ASSERT_EQ(monthly.code, 0) << monthly.err;
    auto m = Lines(monthly.out);
    ASSERT_EQ(m.size(), 360u); // the 30-year bond sits at 30.02 years
    EXPECT_EQ(m[0].rfind("0.0833\t", 0), 0u);
    EXPECT_EQ(m[359].rfind("30.0000\t", 0), 0u);

    CliResult weekly = RunArgs({"spline", "--step", "weekly", "--curve", "ytm", "--left", "0.01"});
    ASSERT_EQ(weekly.code, 0) << weekly.err;
    EXPECT_EQ(Lines(weekly.out).size(), 1561u);

    CliResult linear = RunArgs({"spline", "--linear"});
    ASSERT_EQ(linear.code, 0) << linear.err;
    auto l = Lines(linear.out);
    ASSERT_EQ(l.size(), 360u);
    // Flat before the first maturity (the 3-month bill at 0.2466 years).
    EXPECT_EQ(l[0].substr(l[0].find('\t')), l[1].substr(l[1].find('\t')));
    EXPECT_NE(linear.out, monthly.out);
}

TEST(CliCashflows, SingleFlowAndAStream) {
    const std::string one = TempFile("one.txt", "1, 100\n");
    CliResult r = RunArgs({"cashflows", one});
    ASSERT_EQ(r.code, 0) << r.err;
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("Value: ", 0), 0u);
    EXPECT_EQ(lines[1].rfind("Yield: ", 0), 0u);
    EXPECT_EQ(lines[0].substr(7), lines[2].substr(11)); // $Duration equals the value
    EXPECT_EQ(lines[0].substr(7), lines[3].substr(12)); // and so does $Convexity
    fs::remove(one);

    const std::string missing = (fs::temp_directory_path() / "yarrow-no-such-flows.txt").string();
    CliResult bad = RunArgs({"cashflows", missing});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("cannot read cash-flow file"), std::string::npos);
}

TEST(CliOptimize, TargetsMetOrZeroes) {
    CliResult r =
        RunArgs({"optimize", "--strategy", "min-convexity", "--value", "1000", "--duration", "5000"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "Bond\tQuantity");
    // The par bonds are worth 100, so the quantities add up to 10.
    double total = 0;
    for (size_t i = 1; i < lines.size(); ++i)
        total += std::stod(lines[i].substr(lines[i].find('\t') + 1));
    EXPECT_NEAR(total, 10.0, 0.1);

    CliResult impossible =
        RunArgs({"optimize", "--strategy", "max-yield", "--value", "1000", "--duration", "90000"});
    ASSERT_EQ(impossible.code, 0) << impossible.err;
    EXPECT_NE(impossible.err.find("every quantity is 0."), std::string::npos) << impossible.err;
    EXPECT_EQ(r.err, "");
    for (const std::string& line : Lines(impossible.out)) {
        if (line != "Bond\tQuantity") {
            EXPECT_EQ(line.substr(line.find('\t') + 1), "0.0000");
        }
    }

    const std::string flows = TempFile("liab.txt", "2\t500\n5\t500\n");
    CliResult matched = RunArgs({"optimize", "--strategy", "max-yield", "--match-cashflows", flows});
    ASSERT_EQ(matched.code, 0) << matched.err;
    EXPECT_NE(matched.out, impossible.out);
    fs::remove(flows);

    EXPECT_EQ(RunArgs({"optimize"}).code, 2);
    EXPECT_EQ(RunArgs({"optimize", "--strategy", "max-yield", "--value", "lots"}).code, 2);
    EXPECT_EQ(RunArgs({"optimize", "--strategy", "max-yield", "--value", "1", "--match-cashflows", "x"}).code,
              2);
}

} // namespace
