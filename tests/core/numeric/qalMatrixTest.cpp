#include "core/numeric/qalMatrix.h"

#include "core/text/RuntimeError.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace yarrow {
namespace {

using Rows = std::vector<std::vector<float>>;

qalMatrix Make(const Rows& a) {
    qalMatrix m;
    const auto n = static_cast<int16_t>(a.size());
    m.Initialize(n);
    for (int16_t i = 1; i <= n; ++i)
        for (int16_t j = 1; j <= n; ++j)
            m.setA(i, j, a[i - 1][j - 1]);
    return m;
}

struct InverseCase {
    const char* name;
    Rows a;
    Rows inverse;
};

class MatrixInverse : public testing::TestWithParam<InverseCase> {};

TEST_P(MatrixInverse, InvertsExactly) {
    const auto& c = GetParam();
    qalMatrix m = Make(c.a);
    ASSERT_EQ(m.Invert(), 0);
    const int n = static_cast<int>(c.a.size());
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            EXPECT_FLOAT_EQ(m.getInverse(i, j), c.inverse[i - 1][j - 1]) << "(" << i << "," << j << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, MatrixInverse,
    testing::Values(
        InverseCase{"identity", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
        // The first element of magnitude 1 in scan order is (1, 2): the rows are exchanged.
        InverseCase{"swap", {{0, 1}, {1, 0}}, {{0, 1}, {1, 0}}},
        InverseCase{"diagonal", {{2, 0}, {0, 4}}, {{0.5f, 0}, {0, 0.25f}}},
        InverseCase{"general", {{4, 7}, {2, 6}}, {{0.6f, -0.7f}, {-0.2f, 0.4f}}},
        InverseCase{
            "permutation3", {{0, 0, 2}, {1, 0, 0}, {0, 4, 0}}, {{0, 1, 0}, {0, 0, 0.25f}, {0.5f, 0, 0}}},
        InverseCase{"oneByOne", {{-8}}, {{-0.125f}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatrixSingular, RepeatedPivotColumnReturnsOne) {
    // Step 2 finds nothing, reuses column 1 (counted twice) and the final check fails.
    qalMatrix m = Make({{1, 1}, {1, 1}});
    EXPECT_EQ(m.Invert(), 1);
}

TEST(MatrixSingular, ColumnPivotedTwiceSeenInSearchReturnsMinusOne) {
    // Steps 1 and 2 pivot column 1; step 3's search meets its count of 2.
    qalMatrix m = Make({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}});
    EXPECT_EQ(m.Invert(), -1);
}

TEST(MatrixSingular, ZeroPivotIsDivisionByZero) {
    // Step 2 reuses row 1, column 2, exchanges the rows back and meets the element 0.
    qalMatrix m = Make({{1, 2}, {0, 0}});
    try {
        m.Invert();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 11);
    }
    qalMatrix zero = Make({{0}});
    EXPECT_THROW(zero.Invert(), RuntimeError);
}

TEST(MatrixState, InvertKeepsAAndCanRunAgain) {
    qalMatrix m = Make({{2, 0}, {0, 4}});
    ASSERT_EQ(m.Invert(), 0);
    m.setA(1, 2, 2); // A is still ((2, 0), (0, 4)) underneath
    ASSERT_EQ(m.Invert(), 0);
    EXPECT_FLOAT_EQ(m.getInverse(1, 1), 0.5f);
    EXPECT_FLOAT_EQ(m.getInverse(1, 2), -0.25f);
    EXPECT_FLOAT_EQ(m.getInverse(2, 2), 0.25f);
    EXPECT_FLOAT_EQ(m.getInverse(2, 1), 0.0f);
}

TEST(MatrixState, IndexesOutsideTheOrderAreSubscriptErrors) {
    qalMatrix m;
    m.Initialize(2);
    EXPECT_NO_THROW(m.setA(0, 0, 1)); // index 0 exists but is never used
    EXPECT_THROW(m.setA(3, 1, 1), RuntimeError);
    EXPECT_THROW(m.setA(1, -1, 1), RuntimeError);
    EXPECT_THROW((void)m.getInverse(1, 3), RuntimeError);
    m.Initialize(3);
    EXPECT_FLOAT_EQ(m.getInverse(3, 3), 0.0f); // re-initialised to zeros
}

TEST(MatrixProperty, TimesItsInverseIsTheIdentityOnWellConditionedMatrices) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<float> entry(-1.0f, 1.0f);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 1 + trial % 8;
        Rows a(static_cast<size_t>(n), std::vector<float>(static_cast<size_t>(n)));
        for (int i = 0; i < n; ++i) {
            float rowSum = 0;
            for (int j = 0; j < n; ++j) {
                a[i][j] = entry(rng) * 10.0f;
                rowSum += std::fabs(a[i][j]);
            }
            // Diagonal dominance keeps the condition number small; shuffling which column gets
            // the large element exercises the row exchanges.
            a[i][(i + trial) % n] = (trial % 2 ? -1.0f : 1.0f) * (rowSum + 1.0f);
        }
        qalMatrix m = Make(a);
        ASSERT_EQ(m.Invert(), 0) << "trial " << trial;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                double s = 0;
                for (int k = 1; k <= n; ++k)
                    s += static_cast<double>(a[i - 1][k - 1]) * m.getInverse(k, j);
                EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 2e-6 * n)
                    << "trial " << trial << " (" << i << "," << j << ")";
            }
    }
}

} // namespace
} // namespace yarrow
