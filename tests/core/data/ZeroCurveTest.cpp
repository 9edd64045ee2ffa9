#include "core/numeric/LinearInterpolate.h"
#include "core/data/FrbSeries.h"
#include "core/data/Session.h"
#include "core/curves/SessionZeroCurve.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace yarrow {
namespace {

const std::string kFrbFolder = (std::filesystem::path(YARROW_SOURCE_DIR) / "resources/FRBData")
                                   .lexically_normal()
                                   .string();

// The bundled 2010-12-31 curve: two bills and eight par bonds, priced.
void LoadBundledTable(Session& session) {
    GridModel grid;
    GrabFRBYieldCurveFromFolder(kFrbFolder, grid, session);
    BuildBondTable(session, grid,
                   FormatDate(CDate(session.quoteDate, session.dateOrder), session.DateFormat()));
    for (int i = 1; i <= session.nBonds; ++i)
        session.Bond(i).GetPrice();
}

double Discount(double r, double t, int m) {
    return m > 0 ? std::pow(1 + r / m, -m * t) : std::exp(-r * t);
}

class BundledCurve : public ::testing::TestWithParam<int> {};

TEST_P(BundledCurve, RepricesEveryBond) {
    const int m = GetParam();
    Session session;
    LoadBundledTable(session);
    ASSERT_EQ(session.nBonds, 10);
    BootstrapZeroCurve(session, static_cast<int16_t>(m));
    ASSERT_EQ(session.ZeroYields.UBound(), 10);
    EXPECT_EQ(session.ZeroYields(0), session.ZeroYields(1));
    EXPECT_EQ(session.ZeroTimes(0), session.ZeroTimes(1));
    for (int k = 1; k <= 10; ++k) {
        const qalBond& b = session.Bond(k);
        EXPECT_EQ(session.ZeroTimes(k), b.GetYearsToMaturity());
        double price = 0;
        for (int i = 1; i <= b.numFlows(); ++i) {
            const float t = b.cashTime(i);
            price += b.cashFlow(i) *
                     Discount(LinearInterpolate(session.ZeroYields, session.ZeroTimes, 10, t), t, m);
        }
        EXPECT_NEAR(price, b.priceValue(), 1e-4) << b.GetName();
    }
    // An upward sloping curve at the end of 2010: from about 0.12% to about 4.5%.
    EXPECT_NEAR(session.ZeroYields(1), 0.0012, 0.0002);
    EXPECT_GT(session.ZeroYields(10), 0.04);
    EXPECT_LT(session.ZeroYields(10), 0.05);
}

INSTANTIATE_TEST_SUITE_P(Compounding, BundledCurve, ::testing::Values(-1, 1, 2, 12, 365));

TEST(BootstrapZeroCurve, EmptyTableLeavesOneZeroPoint) {
    Session session;
    session.ZeroYields.Redim(5);
    BootstrapZeroCurve(session, -1);
    EXPECT_EQ(session.ZeroYields.UBound(), 0);
    EXPECT_EQ(session.ZeroTimes.UBound(), 0);
    EXPECT_EQ(session.ZeroYields(0), 0.0f);
}

TEST(ZeroCurvePV, ReadsTheSessionCurve) {
    Session session;
    EXPECT_DOUBLE_EQ(ZeroCurvePV(&session, 100, 2), 100.0);
    EXPECT_DOUBLE_EQ(ZeroCurvePV(nullptr, 100, 2), 100.0);
    LoadBundledTable(session);
    // Before a bootstrap the curve still holds its single zero point.
    EXPECT_DOUBLE_EQ(ZeroCurvePV(&session, 100, 2), 100.0);
    BootstrapZeroCurve(session, -1);
    const float z = LinearInterpolate(session.ZeroYields, session.ZeroTimes, 10, 4.0f);
    EXPECT_DOUBLE_EQ(ZeroCurvePV(&session, 100, 4), 100 * std::exp(-4.0 * z));
    // A table rebuilt larger than the curve reads the points the curve has.
    session.nBonds = 10;
    session.ZeroYields.Redim(2);
    session.ZeroTimes.Redim(2);
    session.ZeroTimes(0) = session.ZeroTimes(1) = 1;
    session.ZeroYields(0) = session.ZeroYields(1) = 0.01f;
    session.ZeroTimes(2) = 3;
    session.ZeroYields(2) = 0.03f;
    EXPECT_DOUBLE_EQ(ZeroCurvePV(&session, 100, 10), 100 * std::exp(-10.0 * 0.03f));
}

TEST(Forwards, ContinuousAndDiscrete) {
    Array1<float> z(3), t(3);
    const float times[] = {0.5f, 0.5f, 2, 5};
    const float rates[] = {0.01f, 0.01f, 0.02f, 0.03f};
    for (int k = 0; k <= 3; ++k) {
        t(k) = times[k];
        z(k) = rates[k];
    }
    Array1<float> cont = z;
    Forwards(cont, t, 3, -1);
    EXPECT_EQ(cont(0), 0.01f);
    EXPECT_EQ(cont(1), 0.01f);
    EXPECT_NEAR(cont(2), (2 * 0.02 - 0.5 * 0.01) / 1.5, 1e-7);
    EXPECT_NEAR(cont(3), (5 * 0.03 - 2 * 0.02) / 3.0, 1e-7);

    for (int m : {1, 2, 12}) {
        Array1<float> f = z;
        Forwards(f, t, 3, static_cast<int16_t>(m));
        EXPECT_EQ(f(1), 0.01f);
        // Growth to T(i) equals growth to T(i - 1) then at the forward rate (to single precision of
        // the stored growth factors).
        for (int i = 2; i <= 3; ++i) {
            const double grow = std::pow(1 + z(i) / m, m * t(i));
            const double before = std::pow(1 + z(i - 1) / m, m * t(i - 1));
            EXPECT_NEAR(before * std::pow(1 + f(i) / m, m * (t(i) - t(i - 1))) / grow, 1.0, 1e-5)
                << m << " " << i;
        }
    }
}

TEST(Forwards, OneBondIsItsZeroRateAndEqualTimesDivideByZero) {
    Array1<float> z(2), t(2);
    z(0) = z(1) = 0.02f;
    t(0) = t(1) = 1;
    z(2) = 0.03f;
    t(2) = 1;
    Array1<float> one = z;
    Forwards(one, t, 1, 2);
    EXPECT_EQ(one(1), 0.02f);
    for (int m : {-1, 2}) {
        Array1<float> f = z;
        try {
            Forwards(f, t, 2, static_cast<int16_t>(m));
            FAIL() << m;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 11) << m;
        }
    }
}

TEST(Forwards, OnTheSessionCurve) {
    Session session;
    LoadBundledTable(session);
    BootstrapZeroCurve(session, 2);
    const Array1<float> zero = session.ZeroYields;
    Forwards(session, 2);
    EXPECT_EQ(session.ZeroYields(1), zero(1));
    for (int i = 2; i <= 10; ++i)
        EXPECT_GE(session.ZeroYields(i), zero(i) - 1e-6) << i; // rising zeros: forwards above them
}

} // namespace
} // namespace yarrow
