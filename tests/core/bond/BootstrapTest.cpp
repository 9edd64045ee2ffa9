#include "core/numeric/LinearInterpolate.h"
#include "core/bond/qalBond.h"
#include "core/data/Session.h"
#include "core/text/RuntimeError.h"
#include "support/CountingPendingEvents.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace yarrow {
namespace {

Array1<float> Values(std::initializer_list<float> values) {
    Array1<float> a(static_cast<int>(values.size()) - 1);
    int i = 0;
    for (float v : values)
        a(i++) = v;
    return a;
}

TEST(LinearInterpolate, FlatEndsExactKnotsLinearInside) {
    const auto xs = Values({0.5f, 0.5f, 2, 5, 10});
    const auto ys = Values({0.01f, 0.01f, 0.02f, 0.035f, 0.04f});
    struct Case {
        float x;
        float expected;
        int events;
    };
    for (const Case c :
         {Case{0.1f, 0.01f, 0}, Case{0.5f, 0.01f, 0}, Case{10, 0.04f, 0}, Case{30, 0.04f, 0},
          Case{2, 0.02f, 0}, Case{5, 0.035f, 0}, Case{3.5f, 0.0275f, 1}, Case{1.25f, 0.015f, 1}}) {
        CountingPendingEvents events;
        EXPECT_NEAR(LinearInterpolate(ys, xs, 4, c.x, &events), c.expected, 1e-9) << c.x;
        EXPECT_EQ(events.calls, c.events) << c.x;
    }
    // Exactly at a knot the knot's value comes back untouched.
    EXPECT_EQ(LinearInterpolate(ys, xs, 4, 2.0f), 0.02f);
    // Only points 0..n are read.
    EXPECT_EQ(LinearInterpolate(ys, xs, 2, 7.0f), 0.02f);
    EXPECT_EQ(LinearInterpolate(ys, xs, 0, 7.0f), 0.01f);
    EXPECT_THROW(LinearInterpolate(ys, xs, 5, 7.0f), RuntimeError);
}

TEST(LinearInterpolate, CurveThatTurnsBackIsScannedFromTheStart) {
    // Times 1, 1, 5, 3, 7: the first knot above x decides the segment.
    const auto xs = Values({1, 1, 5, 3, 7});
    const auto ys = Values({0.01f, 0.01f, 0.05f, 0.03f, 0.07f});
    EXPECT_NEAR(LinearInterpolate(ys, xs, 4, 4.0f), 0.04f, 1e-9); // between 1 and 5
    EXPECT_NEAR(LinearInterpolate(ys, xs, 4, 6.0f), 0.06f, 1e-9); // between 3 and 7, past 5
    EXPECT_NEAR(LinearInterpolate(ys, xs, 4, 3.0f), 0.03f, 1e-9); // 1..5 segment gives 0.03 too
}

TEST(LinearInterpolate, CursorGivesTheFullScanAnswer) {
    // Knots in any order, x rising with an occasional step back.
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> knot(0, 10), value(0, 0.1f), step(0, 0.4f);
    for (int trial = 0; trial < 200; ++trial) {
        Array1<float> xs(12), ys(12);
        for (int k = 0; k <= 12; ++k) {
            xs(k) = trial % 2 ? knot(rng) : k * 0.8f; // half of them increasing
            ys(k) = value(rng);
        }
        InterpolationCursor cursor;
        CountingPendingEvents withCursor, plain;
        float x = -0.5f;
        for (int i = 0; i < 60; ++i) {
            x = i % 17 == 16 ? x - 3 : x + step(rng);
            if (i % 5 == 0)
                x = xs(i % 13); // exactly on a knot
            ASSERT_EQ(LinearInterpolate(ys, xs, 12, x, &withCursor, cursor),
                      LinearInterpolate(ys, xs, 12, x, &plain))
                << trial << " " << x;
        }
        EXPECT_EQ(withCursor.calls, plain.calls);
    }
}

// A bill, a two-year and a five-year bond seen from 6/30/2010.
struct Table {
    Session session;
    qalBond bill{&session};
    qalBond two{&session};
    qalBond five{&session};
    Table() {
        bill.SetTBill("12/30/2010", "06/30/2010", 0.2f, 100);
        std::string last, next;
        two.SetTBond("06/30/2012", "06/30/2010", 99.5f, 0.75f, 2, last, next, 100);
        last.clear();
        next.clear();
        five.SetTBond("06/30/2015", "06/30/2010", 101, 2.25f, 2, last, next, 100);
        bill.GetPrice();
        two.GetPrice();
        five.GetPrice();
    }
};

double DiscountFactor(double r, double t, int m) {
    return m > 0 ? std::pow(1 + r / m, -m * t) : std::exp(-r * t);
}

double PriceOffCurve(const qalBond& b, const Array1<float>& ylds, const Array1<float>& tme, int16_t n,
                     int m) {
    double sum = 0;
    for (int i = 1; i <= b.numFlows(); ++i)
        sum +=
            b.cashFlow(i) * DiscountFactor(LinearInterpolate(ylds, tme, n, b.cashTime(i)), b.cashTime(i), m);
    return sum;
}

class BootStrapNewtonTest : public ::testing::TestWithParam<int> {};

TEST_P(BootStrapNewtonTest, FirstBondSolvesItsOwnRateAndCopiesPointZero) {
    const int m = GetParam();
    Table t;
    Array1<float> ylds(3), tme(3);
    int16_t nDone = 0;
    t.bill.BootStrapNewton(ylds, tme, nDone, static_cast<int16_t>(m));
    ASSERT_EQ(nDone, 1);
    const double T = t.bill.GetYearsToMaturity();
    const double P = t.bill.priceValue();
    const double exact = m > 0 ? m * (std::pow(100 / P, 1 / (m * T)) - 1) : std::log(100 / P) / T;
    EXPECT_NEAR(ylds(1), exact, 2e-6);
    EXPECT_EQ(ylds(0), ylds(1));
    EXPECT_EQ(tme(0), t.bill.GetYearsToMaturity());
    EXPECT_EQ(tme(1), t.bill.GetYearsToMaturity());
    EXPECT_EQ(t.bill.knownCount(), 0);
}

TEST_P(BootStrapNewtonTest, LaterBondsRepriceOffTheCurve) {
    const int16_t m = static_cast<int16_t>(GetParam());
    Table t;
    Array1<float> ylds(3), tme(3);
    int16_t nDone = 0;
    t.bill.BootStrapNewton(ylds, tme, nDone, m);
    t.two.BootStrapNewton(ylds, tme, nDone, m);
    // The two-year bond's first coupon falls on the bill's maturity: it is valued off the known
    // curve and the other three flows are solved for.
    EXPECT_EQ(t.two.knownCount(), 1);
    t.five.BootStrapNewton(ylds, tme, nDone, m);
    EXPECT_EQ(t.five.knownCount(), 4);
    ASSERT_EQ(nDone, 3);
    EXPECT_EQ(tme(3), t.five.GetYearsToMaturity());
    for (const qalBond* b : {&t.bill, &t.two, &t.five})
        EXPECT_NEAR(PriceOffCurve(*b, ylds, tme, nDone, m), b->priceValue(), 2e-4);
    EXPECT_LT(ylds(1), ylds(2));
    EXPECT_LT(ylds(2), ylds(3));
}

INSTANTIATE_TEST_SUITE_P(Compounding, BootStrapNewtonTest, ::testing::Values(-1, 0, 1, 2, 12, 365));

TEST(BootStrapNewton, CompoundingChangesTheRates) {
    Table a, b;
    Array1<float> y1(1), t1(1), y2(1), t2(1);
    int16_t n1 = 0, n2 = 0;
    a.bill.BootStrapNewton(y1, t1, n1, -1);
    b.bill.BootStrapNewton(y2, t2, n2, 1);
    EXPECT_GT(y2(1) - y1(1), 1e-7);
}

TEST(BootStrapNewton, BondInsideTheKnownCurveStillAddsItsPoint) {
    Table t;
    Array1<float> ylds(3), tme(3);
    int16_t nDone = 0;
    t.five.BootStrapNewton(ylds, tme, nDone, -1);
    t.two.BootStrapNewton(ylds, tme, nDone, -1);
    EXPECT_EQ(nDone, 2);
    EXPECT_EQ(t.two.knownCount(), 0);
    EXPECT_EQ(tme(2), t.two.GetYearsToMaturity());
    EXPECT_LT(tme(2), tme(1));
}

TEST(BootStrapNewton, FullCurveArraysRaiseSubscriptOutOfRange) {
    Table t;
    Array1<float> ylds(1), tme(1);
    int16_t nDone = 0;
    t.bill.BootStrapNewton(ylds, tme, nDone, -1);
    EXPECT_THROW(t.two.BootStrapNewton(ylds, tme, nDone, -1), RuntimeError);
}

TEST(BootStrapNewton, InterpolationsServiceTheEventHook) {
    CountingPendingEvents events;
    Table t;
    t.session.events = &events;
    Array1<float> ylds(3), tme(3);
    int16_t nDone = 0;
    t.bill.BootStrapNewton(ylds, tme, nDone, -1);
    const int afterBill = events.calls;
    t.two.BootStrapNewton(ylds, tme, nDone, -1);
    // The unknown flows of the two-year bond interpolate between the bill and the new point.
    EXPECT_GT(events.calls, afterBill);
}

} // namespace
} // namespace yarrow

namespace yarrow {
namespace {

// A plain port of the bootstrap step: a hundred Newton iterations at most, nothing skipped.
void PlainStep(const qalBond& b, Array1<float>& ylds, Array1<float>& tme, int16_t& nDone, int m) {
    auto pv = [&](int i, double r) {
        const double t = b.cashTime(i);
        return m > 0 ? b.cashFlow(i) / std::pow(1 + r / m, static_cast<double>(m) * t)
                     : b.cashFlow(i) * std::exp(-t * r);
    };
    int known = 0;
    for (int i = 1; i <= b.numFlows(); ++i)
        if (b.cashTime(i) > tme(nDone)) {
            known = i - 1;
            break;
        }
    float knownValue = 0;
    for (int i = 1; i <= known; ++i)
        knownValue =
            static_cast<float>(knownValue + pv(i, LinearInterpolate(ylds, tme, nDone, b.cashTime(i))));
    ++nDone;
    tme(nDone) = b.GetYearsToMaturity();
    float y = 0.05f;
    for (int it = 1; it <= 100; ++it) {
        ylds(nDone) = y;
        if (nDone == 1) {
            ylds(0) = y;
            tme(0) = b.GetYearsToMaturity();
        }
        double p = knownValue;
        float up = knownValue;
        for (int i = known + 1; i <= b.numFlows(); ++i) {
            const double r = LinearInterpolate(ylds, tme, nDone, b.cashTime(i));
            p += pv(i, r);
            up = static_cast<float>(up + pv(i, r + 1e-6f));
        }
        const float d = static_cast<float>(p - b.priceValue());
        if (std::fabs(d) < 0.000001f)
            break;
        up = static_cast<float>(static_cast<double>(up) - b.priceValue());
        const float slope = static_cast<float>((static_cast<double>(up) - d) / 0.000001);
        y = static_cast<float>(y - d / static_cast<double>(slope));
    }
}

TEST(BootStrapNewton, CurveIsBitForBitThePlainRule) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> coupon(0, 10), noise(-0.3f, 0.3f);
    std::uniform_int_distribution<int> gap(2, 30);
    for (int curve = 0; curve < 20; ++curve) {
        Session session;
        std::vector<std::unique_ptr<qalBond>> bonds;
        Date maturity = MakeDate(2010, 6, 30);
        for (int k = 0; k < 25; ++k) {
            maturity = AddMonths(maturity, gap(rng));
            auto b = std::make_unique<qalBond>(&session);
            std::string last, next;
            b->SetTBond(ShortDate(maturity, DateOrder::MonthFirst), "06/30/2010", 0, coupon(rng), 2, last,
                        next, 100);
            // Clean price off a smooth curve, a little disturbed.
            double full = 0;
            for (int i = 1; i <= b->numFlows(); ++i) {
                const double t = b->cashTime(i);
                full += b->cashFlow(i) * std::exp(-(0.04 - 0.03 * std::exp(-t / 4)) * t);
            }
            b->setQuote(full - b->GetPrice() + noise(rng));
            b->GetPrice();
            bonds.push_back(std::move(b));
        }
        for (int m : {-1, 2, 12}) {
            Array1<float> y1(25), t1(25), y2(25), t2(25);
            int16_t n1 = 0, n2 = 0;
            for (auto& b : bonds) {
                b->BootStrapNewton(y1, t1, n1, static_cast<int16_t>(m));
                PlainStep(*b, y2, t2, n2, m);
            }
            for (int k = 0; k <= 25; ++k)
                ASSERT_EQ(y1(k), y2(k)) << "curve " << curve << " compounding " << m << " point " << k;
        }
    }
}

} // namespace
} // namespace yarrow
