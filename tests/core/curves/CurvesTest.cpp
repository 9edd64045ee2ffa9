#include "core/curves/CurvesListing.h"
#include "core/curves/Interpolation.h"
#include "core/curves/NelsonSiegel.h"
#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace yarrow {
namespace {

// A table of par bonds (name, coupon, maturity, quote) seen from 12/31/2010.
void LoadTable(Session& session, const std::vector<std::array<std::string, 4>>& rows) {
    GridModel grid(static_cast<int>(rows.size()) + 2, 6, 1, 1);
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < 4; ++c)
            grid.SetTextMatrix(static_cast<int>(i) + 2, c + 1, rows[i][static_cast<size_t>(c)]);
    BuildBondTable(session, grid, "12/31/2010");
}

// A hand-made curve: nBonds points at the given times and rates.
void SetCurve(Session& session, std::vector<float> times, std::vector<float> rates) {
    session.nBonds = static_cast<int16_t>(times.size());
    session.ZeroTimes.Redim(session.nBonds);
    session.ZeroYields.Redim(session.nBonds);
    for (int i = 1; i <= session.nBonds; ++i) {
        session.ZeroTimes(i) = times[size_t(i) - 1];
        session.ZeroYields(i) = rates[size_t(i) - 1];
    }
    session.ZeroTimes(0) = session.ZeroTimes(1);
    session.ZeroYields(0) = session.ZeroYields(1);
}

TEST(NelsonSiegel, ModelWithDefaultParametersAtThreeYears) {
    NelsonSiegelParameters p; // .068, -.04, .005
    EXPECT_NEAR(NelsonSiegelRate(p, 3.0f), 0.044036f, 1e-6f);
    // Long end tends to the level, the short end to level + slope.
    EXPECT_NEAR(NelsonSiegelRate(p, 3000.0f), p.level, 1e-4f);
    EXPECT_NEAR(NelsonSiegelRate(p, 0.0003f), p.level + p.slope, 1e-4f);
    EXPECT_THROW(NelsonSiegelRate(p, 0.0f), RuntimeError);
}

TEST(NelsonSiegel, FitOnThreeBondsReproducesTheirZeroRates) {
    Session session;
    LoadTable(session, {{"2", "1.0", "12/31/2012", "100"},
                        {"5", "2.5", "12/31/2015", "100"},
                        {"10", "3.5", "12/31/2020", "100"}});
    ASSERT_EQ(session.nBonds, 3);
    GridModel grid;
    FillCurvesListing(session, grid);
    ComputeCurve(session, grid, CurveType::Zero, -1);
    const NelsonSiegelParameters p = FitNelsonSiegel(session);
    Array1<float> model = NelsonSiegelAtBonds(session, p);
    for (int i = 1; i <= 3; ++i)
        EXPECT_NEAR(model(i), session.ZeroYields(i), 2e-5f) << "bond " << i;
}

TEST(NelsonSiegel, FitRecoversParametersOfAModelCurve) {
    // Zero rates taken from a known model at ten maturities come back as its parameters.
    Session session;
    NelsonSiegelParameters truth{0.05f, -0.02f, 0.01f};
    LoadTable(session, {{"a", "1", "06/30/2011", "100"},
                        {"b", "1", "12/31/2011", "100"},
                        {"c", "1", "12/31/2012", "100"},
                        {"d", "1", "12/31/2013", "100"},
                        {"e", "1", "12/31/2015", "100"},
                        {"f", "1", "12/31/2017", "100"},
                        {"g", "1", "12/31/2020", "100"},
                        {"h", "1", "12/31/2030", "100"}});
    session.ZeroYields.Redim(session.nBonds);
    for (int i = 1; i <= session.nBonds; ++i)
        session.ZeroYields(i) = NelsonSiegelRate(truth, session.Bond(i).GetYearsToMaturity());
    const NelsonSiegelParameters fit = FitNelsonSiegel(session);
    EXPECT_NEAR(fit.level, truth.level, 2e-4f);
    EXPECT_NEAR(fit.slope, truth.slope, 2e-4f);
    EXPECT_NEAR(fit.curve, truth.curve, 5e-4f);
}

TEST(NelsonSiegel, ParameterTextsAndNudges) {
    EXPECT_EQ(FormatNelsonSiegelParameter(0.068f), ".0680");
    EXPECT_EQ(FormatNelsonSiegelParameter(-0.04f), "-.0400");
    EXPECT_EQ(FormatNelsonSiegelParameter(1.25f), "1.2500");
    std::string slope = "-.04";
    EXPECT_TRUE(NudgeNelsonSiegelParameter(slope, 0.001f));
    EXPECT_EQ(slope, "-.0390");
    std::string level = ".068";
    EXPECT_TRUE(NudgeNelsonSiegelParameter(level, -0.001f));
    EXPECT_EQ(level, ".0670");
    std::string junk = "abc";
    EXPECT_FALSE(NudgeNelsonSiegelParameter(junk, 0.001f));
    EXPECT_EQ(junk, "abc");
}

TEST(Interpolation, GridSizesFollowTheLastMaturityAndTheStep) {
    Session session;
    SetCurve(session, {1.0f, 5.0f, 10.0f}, {0.01f, 0.02f, 0.03f});
    EXPECT_EQ(InterpolationCount(session, InterpolationStep(2)), 120);
    EXPECT_EQ(InterpolationCount(session, InterpolationStep(1)), 520);
    EXPECT_EQ(InterpolationCount(session, InterpolationStep(0)), 3650);
    EXPECT_EQ(InterpolationStep(7), InterpolationStep(2)); // anything else is monthly
}

TEST(Interpolation, LinearTableIsFlatBeforeTheFirstPointAndCopiesWithCarriageReturns) {
    Session session;
    SetCurve(session, {1.0f, 5.0f, 10.0f}, {0.01f, 0.02f, 0.03f});
    InterpolationGrid grid;
    LinearInterpolation(session, InterpolationStep(2), grid);
    ASSERT_EQ(grid.NumInterp, 120);
    EXPECT_FLOAT_EQ(grid.InterpY(1), 0.01f);      // 1/12 year: before the first point
    EXPECT_NEAR(grid.InterpY(36), 0.015f, 1e-6f); // 3 years: halfway from 1 to 5
    EXPECT_FLOAT_EQ(grid.InterpY(120), 0.03f);
    const std::string text = InterpolationCopyText(grid);
    EXPECT_EQ(text.rfind("0.0833\t0.0100\r", 0), 0u);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 120);
    EXPECT_EQ(text.substr(text.size() - 15), "10.0000\t0.0300\r");

    InterpolationGrid empty;
    EXPECT_EQ(InterpolationCopyText(empty), "");
}

TEST(Interpolation, SplineThroughAStraightLineWithItsSlopeIsTheLine) {
    Session session;
    SetCurve(session, {1.0f, 2.0f, 4.0f, 7.0f, 10.0f}, {0.011f, 0.012f, 0.014f, 0.017f, 0.020f});
    InterpolationGrid grid;
    SplineInterpolation(session, InterpolationStep(1), 0.001f, 0.001f, grid);
    ASSERT_EQ(grid.NumInterp, 520);
    for (int i = 1; i <= grid.NumInterp; i += 13)
        EXPECT_NEAR(grid.InterpY(i), 0.01f + 0.001f * grid.InterpX(i), 2e-6f) << grid.InterpX(i);
}

TEST(Interpolation, EqualMaturitiesCannotBeSplined) {
    Session session;
    SetCurve(session, {1.0f, 5.0f, 5.0f}, {0.01f, 0.02f, 0.03f});
    InterpolationGrid grid;
    EXPECT_THROW(SplineInterpolation(session, InterpolationStep(2), 0.0f, 0.0f, grid), RuntimeError);
}

TEST(CurvesListing, HeadingsFormatsAndCurveColumn) {
    Session session;
    LoadTable(session, {{"T-Bill", "0", "06/30/2011", "0.19"}, {"5", "2.01", "12/31/2015", "100"}});
    GridModel grid;
    FillCurvesListing(session, grid);
    ASSERT_EQ(grid.Rows(), 3);
    ASSERT_EQ(grid.Cols(), 8);
    const char* headings[] = {"Bond", "Coupon", "Maturity", "Quote", "BEY", "Value", ""};
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(grid.TextMatrix(0, c), headings[c - 1]);
    EXPECT_EQ(grid.TextMatrix(2, 2), "2.0100");
    EXPECT_EQ(grid.TextMatrix(2, 4), "100.0000");
    EXPECT_EQ(grid.TextMatrix(2, 5), "2.0100");
    EXPECT_EQ(grid.TextMatrix(1, 6), "99.9045");

    EXPECT_EQ(ComputeCurve(session, grid, CurveType::YieldToMaturity, -1), kColourYield);
    EXPECT_EQ(grid.TextMatrix(0, 7), "YTM");
    EXPECT_EQ(grid.TextMatrix(2, 7), grid.TextMatrix(2, 5));
    EXPECT_EQ(ComputeCurve(session, grid, CurveType::Zero, 1), kColourZero);
    EXPECT_EQ(grid.TextMatrix(0, 7), "Zero's");
    const std::string annualZero = grid.TextMatrix(2, 7);
    EXPECT_EQ(ComputeCurve(session, grid, CurveType::Forward, 1), kColourForward);
    EXPECT_EQ(grid.TextMatrix(0, 7), "Forwards");
    EXPECT_NE(grid.TextMatrix(2, 7), annualZero);
    ComputeCurve(session, grid, CurveType::Zero, -1);
    EXPECT_NE(grid.TextMatrix(2, 7), annualZero); // continuous differs from annual
}

TEST(CurvesListing, ForwardsOfOneBondAreItsZeroAndEqualMaturitiesFail) {
    Session one;
    LoadTable(one, {{"5", "2.01", "12/31/2015", "100"}});
    GridModel grid;
    FillCurvesListing(one, grid);
    ComputeCurve(one, grid, CurveType::Zero, 2);
    const std::string zero = grid.TextMatrix(1, 7);
    ComputeCurve(one, grid, CurveType::Forward, 2);
    EXPECT_EQ(grid.TextMatrix(1, 7), zero);

    Session twins;
    LoadTable(twins, {{"a", "2", "12/31/2015", "100"}, {"b", "3", "12/31/2015", "101"}});
    FillCurvesListing(twins, grid);
    EXPECT_THROW(ComputeCurve(twins, grid, CurveType::Forward, -1), RuntimeError);
}

TEST(CurvesListing, CompoundingEntries) {
    EXPECT_EQ(CompFreqFromIndex(0, 5), -1);
    EXPECT_EQ(CompFreqFromIndex(1, 5), 365);
    EXPECT_EQ(CompFreqFromIndex(2, 5), 12);
    EXPECT_EQ(CompFreqFromIndex(3, 5), 2);
    EXPECT_EQ(CompFreqFromIndex(4, 5), 1);
    EXPECT_EQ(CompFreqFromIndex(-1, 5), 5);
}

} // namespace
} // namespace yarrow
