#include "core/numeric/qalSpline.h"

#include "core/text/RuntimeError.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace yarrow {
namespace {

qalSpline Make(const std::vector<float>& x, const std::vector<float>& y) {
    qalSpline s;
    s.SetN(static_cast<int16_t>(x.size()));
    for (size_t i = 0; i < x.size(); ++i)
        s.SetXY(static_cast<int16_t>(i + 1), x[i], y[i]);
    return s;
}

float At(const qalSpline& s, float x) {
    float y = -99;
    s.Splint(x, y);
    return y;
}

TEST(SplineExamples, NaturalParabolaKnots) {
    qalSpline s = Make({1, 2, 3}, {1, 4, 9});
    s.SetDerivatives(1e30f, 1e30f);
    s.spline();
    EXPECT_FLOAT_EQ(s.secondDerivative(1), 0);
    EXPECT_FLOAT_EQ(s.secondDerivative(2), 3);
    EXPECT_FLOAT_EQ(s.secondDerivative(3), 0);
    EXPECT_FLOAT_EQ(At(s, 1.5f), 2.3125f);
}

TEST(SplineExamples, WithoutDerivativesBothEndsAreClampedFlat) {
    qalSpline s = Make({1, 2, 3}, {1, 4, 9});
    s.spline();
    // Worked by hand from the tridiagonal system with end slopes 0.
    EXPECT_FLOAT_EQ(s.secondDerivative(1), 6);
    EXPECT_FLOAT_EQ(s.secondDerivative(2), 6);
    EXPECT_FLOAT_EQ(s.secondDerivative(3), -18);
    const float h = 1e-3f;
    EXPECT_NEAR((At(s, 1 + h) - At(s, 1)) / h, 0, 0.02);
    EXPECT_NEAR((At(s, 3) - At(s, 3 - h)) / h, 0, 0.05);
}

TEST(SplineExamples, TwoNaturalKnotsAreAStraightLine) {
    qalSpline s = Make({2, 6}, {1, 3});
    s.SetDerivatives(1e30f, 1e30f);
    s.spline();
    for (float x : {2.0f, 3.0f, 4.5f, 6.0f, 8.0f, 0.0f})
        EXPECT_FLOAT_EQ(At(s, x), 1 + (x - 2) / 2) << x;
}

TEST(SplineEnds, ThresholdIsStrictlyAbove9point9e29) {
    struct Case {
        float slope;
        bool natural;
    };
    for (const Case c : {Case{9.9e29f, false}, Case{std::nextafter(9.9e29f, 1e31f), true}, Case{1e30f, true},
                         Case{5.0f, false}}) {
        qalSpline s = Make({0, 1, 3}, {0, 1, 0});
        s.SetDerivatives(c.slope, c.slope);
        s.spline();
        EXPECT_EQ(s.secondDerivative(1) == 0, c.natural) << c.slope;
        EXPECT_EQ(s.secondDerivative(3) == 0, c.natural) << c.slope;
    }
}

TEST(SplineBracket, MidpointRoundsHalvesToEven) {
    // With y2 = 0 the spline is linear inside the chosen bracket; knots out of order make the
    // bisection path visible. Four knots: first midpoint 2.5 -> 2, so the bracket is (1, 2).
    // Half-up (3) would give (3, 4) and the value 100 + 100/3.
    qalSpline four = Make({0, 3, 1, 4}, {0, 3, 100, 200});
    EXPECT_FLOAT_EQ(At(four, 2), 2);
    // Ten knots: first midpoint 5.5 -> 6, so x(6) <= 4.5 keeps the search in 6..10 and ends at
    // (6, 7). Truncation (5) would meet x(5) = 50 and end at (4, 5) with about 27.4.
    qalSpline ten = Make({0, 1, 2, 3, 50, 4, 5, 6, 7, 8}, {0, 10, 20, 30, -50, 40, 50, 60, 70, 80});
    EXPECT_FLOAT_EQ(At(ten, 4.5f), 45);
}

TEST(SplineEdges, EqualAbscissas) {
    qalSpline clamped = Make({1, 1}, {2, 3});
    clamped.SetDerivatives(0, 0);
    try {
        clamped.spline();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 11);
    }
    qalSpline natural = Make({1, 1}, {2, 3});
    natural.SetDerivatives(1e30f, 1e30f);
    natural.spline();
    EXPECT_EQ(natural.secondDerivative(1), 0);
    EXPECT_EQ(natural.secondDerivative(2), 0);
    EXPECT_EQ(At(natural, 1), 0);
}

TEST(SplineEdges, IndexErrorsAndSingleKnot) {
    qalSpline s;
    s.SetN(3);
    EXPECT_THROW(s.SetXY(4, 1, 1), RuntimeError);
    EXPECT_THROW(s.SetX(-1, 1), RuntimeError);
    EXPECT_NO_THROW(s.SetX(0, 1));
    qalSpline one = Make({1}, {5});
    EXPECT_THROW(one.spline(), RuntimeError); // a clamped end reads x(2)
    s.SetN(2);                                // discards the old knots
    EXPECT_EQ(s.count(), 2);
    EXPECT_THROW(s.SetXY(3, 1, 1), RuntimeError);
}

// A cubic's value and first two derivatives at both ends of [lo, hi], recovered from four
// evaluations (exact for a cubic up to the rounding of the samples).
struct EndDerivatives {
    double d1lo, d2lo, d1hi, d2hi;
};

EndDerivatives Recover(const qalSpline& s, float lo, float hi) {
    const double h = static_cast<double>(hi) - lo;
    double t[4], v[4];
    for (int k = 0; k < 4; ++k) {
        const float x = k == 0 ? lo : (k == 3 ? hi : static_cast<float>(lo + h * k / 3.0));
        t[k] = x;
        v[k] = At(s, x);
    }
    // Newton divided differences, then the derivatives of the interpolating cubic.
    double c[4] = {v[0], v[1], v[2], v[3]};
    for (int j = 1; j < 4; ++j)
        for (int k = 3; k >= j; --k)
            c[k] = (c[k] - c[k - 1]) / (t[k] - t[k - j]);
    auto derivs = [&](double x, double& d1, double& d2) {
        // p(x) = c0 + c1 (x-t0) + c2 (x-t0)(x-t1) + c3 (x-t0)(x-t1)(x-t2)
        const double a = x - t[0], b = x - t[1], cc = x - t[2];
        d1 = c[1] + c[2] * (a + b) + c[3] * (a * b + a * cc + b * cc);
        d2 = 2 * c[2] + 2 * c[3] * (a + b + cc);
    };
    EndDerivatives e{};
    derivs(lo, e.d1lo, e.d2lo);
    derivs(hi, e.d1hi, e.d2hi);
    return e;
}

TEST(SplineProperty, DefiningPropertiesOnGeneratedKnots) {
    std::mt19937 rng(4242);
    std::uniform_real_distribution<float> gap(0.25f, 2.0f), value(-1.0f, 1.0f), slope(-2.0f, 2.0f);
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 2 + trial % 9;
        std::vector<float> x(static_cast<size_t>(n)), y(static_cast<size_t>(n));
        float at = value(rng);
        for (int i = 0; i < n; ++i) {
            at += gap(rng);
            x[i] = at;
            y[i] = value(rng);
        }
        const bool naturalLo = trial % 3 == 0, naturalHi = trial % 4 == 0;
        const float yp1 = naturalLo ? 1e30f : slope(rng);
        const float ypn = naturalHi ? 1e30f : slope(rng);
        qalSpline s = Make(x, y);
        s.SetDerivatives(yp1, ypn);
        s.spline();

        // h is rounded to single before it divides, so a knot is met to the last bit or two.
        for (int i = 0; i < n; ++i)
            EXPECT_FLOAT_EQ(At(s, x[i]), y[i]) << "trial " << trial << " knot " << i + 1;

        std::vector<EndDerivatives> pieces;
        for (int i = 0; i + 1 < n; ++i)
            pieces.push_back(Recover(s, x[i], x[i + 1]));
        const double tol = 2e-3;
        for (size_t i = 0; i + 1 < pieces.size(); ++i) {
            EXPECT_NEAR(pieces[i].d1hi, pieces[i + 1].d1lo, tol) << "trial " << trial << " knot " << i + 2;
            EXPECT_NEAR(pieces[i].d2hi, pieces[i + 1].d2lo, 10 * tol)
                << "trial " << trial << " knot " << i + 2;
        }
        if (naturalLo)
            EXPECT_NEAR(pieces.front().d2lo, 0, 10 * tol) << "trial " << trial;
        else
            EXPECT_NEAR(pieces.front().d1lo, yp1, tol) << "trial " << trial;
        if (naturalHi)
            EXPECT_NEAR(pieces.back().d2hi, 0, 10 * tol) << "trial " << trial;
        else
            EXPECT_NEAR(pieces.back().d1hi, ypn, tol) << "trial " << trial;
    }
}

} // namespace
} // namespace yarrow
