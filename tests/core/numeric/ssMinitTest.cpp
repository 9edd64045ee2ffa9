#include "core/numeric/ssMinit.h"

#include "core/text/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

struct Programme {
    std::vector<float> c;
    std::vector<std::vector<float>> a;
    std::vector<float> b;
    int16_t equalities = 0;
};

void Load(ssMinit& s, const Programme& p) {
    const auto n = static_cast<int16_t>(p.c.size());
    const auto m = static_cast<int16_t>(p.b.size());
    s.Initialize(n, m, p.equalities);
    for (int16_t j = 1; j <= n; ++j)
        s.setObjectiveVector(j, p.c[j - 1]);
    for (int16_t i = 1; i <= m; ++i) {
        for (int16_t j = 1; j <= n; ++j)
            s.setConstraintMatrix(i, j, p.a[i - 1][j - 1]);
        s.setConstraintVector(i, p.b[i - 1]);
    }
}

struct Solved {
    int16_t status;
    std::vector<float> x, w;
    float z;
};

// x and w start at -7 so that entries left unwritten show.
Solved Solve(const Programme& p, PendingEvents* events = nullptr) {
    ssMinit s(events);
    Load(s, p);
    Array1<float> x(static_cast<int>(p.c.size()));
    Array1<float> w(static_cast<int>(p.b.size()));
    for (auto& v : x.raw())
        v = -7;
    for (auto& v : w.raw())
        v = -7;
    float z = -7;
    const int16_t status = s.MinIt(x, w, z);
    return {status, x.raw(), w.raw(), z};
}

struct Example {
    const char* name;
    Programme p;
    int16_t status;
    std::vector<float> x; // x(0..n-1), then the untouched element n
    std::vector<float> w;
    float z;
};

double Tol(float v) {
    return 1e-5 * std::max(1.0, std::fabs(static_cast<double>(v)));
}

class SimplexExamples : public testing::TestWithParam<Example> {};

TEST_P(SimplexExamples, StatusAndResults) {
    const auto& e = GetParam();
    const Solved r = Solve(e.p);
    ASSERT_EQ(r.status, e.status);
    ASSERT_EQ(r.x.size(), e.x.size());
    for (size_t j = 0; j < e.x.size(); ++j)
        EXPECT_NEAR(r.x[j], e.x[j], Tol(e.x[j])) << "x(" << j << ")";
    for (size_t i = 0; i < e.w.size(); ++i)
        EXPECT_NEAR(r.w[i], e.w[i], Tol(e.w[i])) << "w(" << i << ")";
    EXPECT_NEAR(r.z, e.z, Tol(e.z));
}

const float U = -7; // unwritten

INSTANTIATE_TEST_SUITE_P(
    Examples, SimplexExamples,
    testing::Values(
        // Both columns score -2 and the earlier wins; then column 1 enters at row 1.
        Example{"twoInequalities",
                {{1, 1}, {{1, 2}, {3, 1}}, {4, 6}, 0},
                0,
                {1.6f, 1.2f, U},
                {0.4f, 0.2f, U},
                2.8f},
        // Phase 1 brings column 1 into the equality row; w(0) is cleared, no price is written.
        Example{"oneEquality", {{1, 2}, {{1, 1}}, {3}, 1}, 0, {0, 3, U}, {0, U}, 6},
        Example{"unbounded", {{1, 0}, {{1, -1}}, {1}, 0}, 3, {U, U, U}, {U, U}, U},
        Example{"infeasible", {{0}, {{1}}, {-1}, 0}, 2, {U, U}, {U, U}, U},
        // An improving column and a negative row, but neither choice finds a pivot.
        Example{"noPivot", {{1}, {{1}}, {-1}, 0}, 1, {U, U}, {U, U}, U},
        // The negative equality row is negated before Phase 1: -2 x = 4 has no x >= 0 ...
        Example{"negativeEqualityUnmet", {{1}, {{2}}, {-4}, 1}, 1, {U, U}, {U, U}, U},
        // ... while 2 x = 4 gives x = 2.
        Example{"negativeEqualityMet", {{1}, {{-2}}, {-4}, 1}, 0, {2, U}, {0, U}, 2},
        // A ">=" row passed negated: maximise -x1 - x2 with x1 + x2 >= 2 and x1 <= 1.5.
        Example{
            "dualRepair", {{-1, -1}, {{-1, -1}, {1, 0}}, {-2, 1.5f}, 0}, 0, {1.5f, 0.5f, U}, {1, 0, U}, -2},
        // Two bonds (price 100, $duration 200 and 800) at value 1000 and $duration 5000.
        Example{"maxYieldTwoBonds",
                {{0.04f * 200, 0.05f * 800}, {{200, 800}, {100, 100}}, {5000, 1000}, 2},
                0,
                {5, 5, U},
                {0, 0, U},
                240},
        // The same with $convexity 1000 and 9000 at least 20000: row 1 is a ">=" passed negated.
        Example{"minConvexityTwoBonds",
                {{-1000, -9000}, {{-1000, -9000}, {200, 800}, {100, 100}}, {-20000, 5000, 1000}, 2},
                0,
                {5, 5, U},
                {0, 0, 0, U},
                -50000},
        // $Duration 9000 at value 1000 needs more than 800 per 100 of value: Phase 1 finds no
        // pivot for the second row.
        Example{"maxYieldInfeasibleTarget",
                {{8, 40}, {{200, 800}, {100, 100}}, {9000, 1000}, 2},
                1,
                {U, U, U},
                {U, U, U},
                U}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimplexEvents, PrimalChoiceServicesEventsOncePerCandidateColumn) {
    struct Counter : PendingEvents {
        int calls = 0;
        void Process() override { ++calls; }
    } counter;
    // First choice looks at two candidate columns, the second at the one left.
    const Solved r = Solve({{1, 1}, {{1, 2}, {3, 1}}, {4, 6}, 0}, &counter);
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(counter.calls, 3);
}

// Under these rules (first column and first row among equal scores) this homogeneous programme
// returns to the same tableau after seven pivots; worked through in exact arithmetic, pivots
// 3 to 9 repeat for ever. Its optimum is 0 at the origin.
Programme Cycling() {
    return {{-2, 2, 1, -3, -3}, {{3, -4, 2, 4, -3}, {-3, 1, -2, 2, -3}, {3, 3, 3, 1, -3}}, {0, 0, 0}, 0};
}

TEST(SimplexGuard, CyclingProgrammeEndsWithStatusOneAtTheLimit) {
    ssMinit s;
    Load(s, Cycling());
    Array1<float> x(5), w(3);
    float z = -7;
    EXPECT_EQ(s.MinIt(x, w, z), 1);
    EXPECT_EQ(s.Iterations(), s.DefaultIterationLimit());
    EXPECT_EQ(z, -7); // nothing written
}

TEST(SimplexGuard, CyclingProgrammeNeverFinishesWithoutTheGuard) {
    ssMinit s;
    Load(s, Cycling());
    s.setIterationLimit(200000); // far more pivots than the 56 bases of a 3 x 8 tableau
    Array1<float> x(5), w(3);
    float z = 0;
    EXPECT_EQ(s.MinIt(x, w, z), 1);
    EXPECT_EQ(s.Iterations(), 200000);
}

TEST(SimplexGuard, LimitDoesNotCutShortAProblemThatNeedsFewPivots) {
    ssMinit s;
    Load(s, {{1, 1}, {{1, 2}, {3, 1}}, {4, 6}, 0});
    s.setIterationLimit(2);
    Array1<float> x(2), w(2);
    float z = 0;
    EXPECT_EQ(s.MinIt(x, w, z), 0);
    EXPECT_EQ(s.Iterations(), 2);
    s.Initialize(2, 2, 0); // the limit survives a new Initialize
    s.setObjectiveVector(1, 1);
    s.setObjectiveVector(2, 1);
    s.setConstraintMatrix(1, 1, 1);
    s.setConstraintMatrix(1, 2, 2);
    s.setConstraintMatrix(2, 1, 3);
    s.setConstraintMatrix(2, 2, 1);
    s.setConstraintVector(1, 4);
    s.setConstraintVector(2, 6);
    s.setIterationLimit(1);
    EXPECT_EQ(s.MinIt(x, w, z), 1);
}

// Generated programmes on which single-precision rounding once decided the verdict.
TEST(SimplexRounding, DegenerateRowLeftSlightlyNegativeIsNotInfeasible) {
    // The fourth pivot leaves 0 in row 1 as -2.2e-7, beyond the tolerance: read as it stands,
    // a negative row without negative entries (status 2). The optimum is 117/44 at x2 = 9/11.
    const Solved r = Solve({{1.5f, 3.25f},
                            {{0.25f, 2.25f}, {5, -0.75f}, {-0.75f, 2.75f}, {4.5f, -2.75f}},
                            {9.75f, -0.25f, 2.25f, -2.25f},
                            0});
    ASSERT_EQ(r.status, 0);
    EXPECT_FLOAT_EQ(r.z, 117.0f / 44);
    EXPECT_FLOAT_EQ(r.x[0], 0);
    EXPECT_FLOAT_EQ(r.x[1], 9.0f / 11);
}

TEST(SimplexRounding, UnboundedProgrammesAreNotReportedOptimal) {
    // Both are unbounded; a pivot on a rounding residue (about 1e-8 where 0 belongs) once made
    // them look bounded at values in the millions.
    const Programme a{{-2, -3, 1, -0.25f, 2, 2.75f},
                      {{3.5f, 0.25f, 4.5f, -2.5f, -3, 2.75f},
                       {-0.25f, 4.5f, -2, 0, -2.75f, 4.5f},
                       {0, -2.25f, 0, 0, 0.25f, 4.75f},
                       {0, -3.75f, 0.5f, 0.25f, 0, 1.75f}},
                      {7.25f, 7, -0.25f, 9},
                      1};
    const Programme b{{-2.5f, -1.25f, -2.75f, 4.5f, 4},
                      {{0, -0.25f, 3, 4.25f, 0},
                       {3.5f, 0, -0.25f, -3.75f, 0},
                       {0, 0, 0.5f, 1.75f, 0},
                       {2, 2.5f, 0, -3.75f, -3.75f},
                       {1.75f, 1, 0, 0, -0.5f}},
                      {7.75f, -3.25f, 5.5f, 0, 1.5f},
                      1};
    EXPECT_NE(Solve(a).status, 0);
    EXPECT_NE(Solve(b).status, 0);
}

TEST(SimplexRounding, HoldingsAreNeverNegative) {
    // Degenerate optimum: x1 is basic at 0 in exact arithmetic.
    const Solved r = Solve({{1, 1}, {{1, 1}, {1, -1}, {3, 1}}, {2, 2, 2}, 0});
    ASSERT_EQ(r.status, 0);
    EXPECT_GE(r.x[0], 0);
    EXPECT_GE(r.x[1], 0);
    EXPECT_FLOAT_EQ(r.z, 2);
}

TEST(SimplexErrors, IndexesAndSizes) {
    ssMinit s;
    EXPECT_EQ(s.Initialize(2, 2, 1), 0);
    EXPECT_THROW(s.setObjectiveVector(4, 1), RuntimeError);
    EXPECT_THROW(s.setObjectiveVector(0, 1), RuntimeError);
    EXPECT_THROW(s.setConstraintVector(4, 1), RuntimeError);
    EXPECT_THROW(s.setConstraintMatrix(1, 4, 1), RuntimeError);
    EXPECT_NO_THROW(s.setConstraintMatrix(3, 3, 1)); // arrays are sized 0..m by 0..n
    try {
        s.Initialize(32000, 800, 0);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    // Counts that would put rows or slack columns outside the tableau.
    const int16_t badCounts[][3] = {{2, 2, -1}, {2, 2, 3}, {-1, 2, 0}, {2, -1, 0}, {2, 0, -5}};
    for (const auto& k : badCounts) {
        ssMinit bad;
        try {
            bad.Initialize(k[0], k[1], k[2]);
            ADD_FAILURE() << "no error for " << k[0] << ", " << k[1] << ", " << k[2];
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 9);
        }
        Array1<float> x(4), w(4);
        float z = 0;
        EXPECT_THROW(bad.setConstraintMatrix(1, 1, 1), RuntimeError);
        EXPECT_EQ(bad.MinIt(x, w, z), 0); // an empty programme, nothing written beyond it
    }
}

TEST(SimplexErrors, ShortResultArrayIsASubscriptError) {
    ssMinit s;
    Load(s, {{1, 1}, {{1, 2}, {3, 1}}, {4, 6}, 0});
    Array1<float> x(0), w(1);
    float z = 0;
    EXPECT_THROW(s.MinIt(x, w, z), RuntimeError);
}

TEST(SimplexErrors, PivotBeyondSingleRangeIsOverflow) {
    // The pivot 1e-7 turns the coefficient 1e35 into 1e42.
    ssMinit s;
    Load(s, {{1, 0}, {{1e-7f, 1e35f}}, {1e-2f}, 0});
    Array1<float> x(2), w(1);
    float z = 0;
    try {
        s.MinIt(x, w, z);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

TEST(SimplexScale, StepsOfAMillionOrMoreAreTaken) {
    const Solved big = Solve({{1}, {{1}}, {1e7f}, 0});
    ASSERT_EQ(big.status, 0);
    EXPECT_FLOAT_EQ(big.x[0], 1e7f);
    // Least convexity for a portfolio worth 1,000,000: Phase 1 finds no improving column and
    // scores every column, with scores far beyond a million.
    const Solved r =
        Solve({{-9000, -40000}, {{-9000, -40000}, {500, 1800}, {100, 100}}, {-1e8f, 1.15e7f, 1e6f}, 2});
    ASSERT_EQ(r.status, 0);
    EXPECT_NEAR(r.x[0], 5000, 0.01);
    EXPECT_NEAR(r.x[1], 5000, 0.01);
    EXPECT_NEAR(r.z, -2.45e8, 2.45e8 * 1e-6);
}

} // namespace
} // namespace yarrow
