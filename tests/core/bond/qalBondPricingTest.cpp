#include "core/bond/qalBond.h"
#include "core/data/Session.h"
#include "core/text/RuntimeError.h"
#include "support/CountingPendingEvents.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace yarrow {
namespace {

qalBond Bill(const char* maturity, const char* today, float quote) {
    qalBond bill;
    bill.SetTBill(maturity, today, quote, 100);
    return bill;
}

qalBond Bond(const char* maturity, const char* today, float quote, float coupon, const Session* s = nullptr) {
    qalBond bond(s);
    std::string last;
    std::string next;
    bond.SetTBond(maturity, today, quote, coupon, 2, last, next, 100);
    return bond;
}

TEST(qalBondBill, DiscountPriceAndBondEquivalentYield) {
    qalBond bill = Bill("06/30/2010", "03/31/2010", 5); // 91 days
    EXPECT_EQ(bill.GetPrice(), 98.736115f);
    EXPECT_EQ(bill.priceValue(), 98.736115f);
    EXPECT_NEAR(bill.GetYTM(), 0.0513432, 5e-8);
    EXPECT_EQ(bill.yieldValue(), bill.GetYTM());
}

TEST(qalBondBill, HalfYearTakesTheShortFormulaAndLongerTheQuadratic) {
    struct Case {
        const char* maturity;
        int days;
    };
    for (const Case c : {Case{"09/27/2010", 180}, Case{"09/28/2010", 181}, Case{"03/31/2011", 365}}) {
        qalBond bill = Bill(c.maturity, "03/31/2010", 5);
        ASSERT_FLOAT_EQ(bill.daysToMaturity(), static_cast<float>(c.days));
        const float p = bill.GetPrice();
        const float shortYield =
            static_cast<float>(static_cast<float>((100.0 - p) / p) *
                               static_cast<float>(1.0 / static_cast<float>(c.days / 365.0)));
        const float a = static_cast<float>(c.days / 730.0 - 0.25);
        const float b = static_cast<float>(c.days / 365.0);
        const float c0 = static_cast<float>(1 - 100.0 / p);
        const float quadratic =
            static_cast<float>((-b + std::sqrt(static_cast<double>(b) * b - 4.0 * a * c0)) / (2.0 * a));
        ASSERT_NE(shortYield, quadratic) << c.days;
        EXPECT_EQ(bill.GetYTM(), c.days <= 180 ? shortYield : quadratic) << c.days;
    }
}

TEST(qalBondBill, DollarMeasuresDiscountTheFaceContinuously) {
    CountingPendingEvents events;
    Session session;
    session.events = &events;
    qalBond bill(&session);
    bill.SetTBill("12/31/2010", "06/30/2010", 2, 100);
    const float y = bill.GetYTM();
    const double t = bill.GetYearsToMaturity();
    EXPECT_NEAR(bill.GetDollarDuration(), t * 100 * std::exp(-y * t), 1e-4);
    EXPECT_NEAR(bill.GetDollarConvexity(), t * t * 100 * std::exp(-y * t), 1e-4);
    EXPECT_EQ(events.calls, 2); // once per measure
}

TEST(qalBondCoupon, OnItsCouponDateThereIsNoAccrued) {
    qalBond bond = Bond("11/15/2020", "11/15/2010", 98.5f, 5);
    EXPECT_DOUBLE_EQ(bond.daysSinceCoupon(), 0.0);
    EXPECT_EQ(bond.GetPrice(), 98.5f);
    EXPECT_EQ(bond.accrued(), 0.0f);
}

TEST(qalBondCoupon, AccruedIsActualOverActual) {
    qalBond bond = Bond("11/15/2020", "02/01/2011", 101, 6);
    // 11/15/2010 .. 2/1/2011 is 78 days of 181.
    EXPECT_EQ(bond.GetPrice(), static_cast<float>(101 + static_cast<float>(3.0 * 78 / 181)));
    EXPECT_EQ(bond.accrued(), static_cast<float>(3.0 * 78 / 181));
}

TEST(qalBondCoupon, ParBondOnCouponDateYieldsItsCoupon) {
    for (float coupon : {1.0f, 4.5f, 8.0f, 11.5f}) {
        qalBond bond = Bond("05/15/2030", "05/15/2010", 100, coupon);
        EXPECT_NEAR(bond.GetYTM(), coupon / 100.0, 3e-6) << coupon;
        EXPECT_EQ(bond.priceValue(), 100.0f);
    }
}

TEST(qalBondCoupon, CouponDueTodayBelongsToTheSeller) {
    // 5/15/2010 is a coupon date of a November bond, after a half-year of 181 days.
    qalBond bond = Bond("11/15/2020", "05/15/2010", 97, 5);
    EXPECT_EQ(bond.daysSinceCoupon(), 0.0);
    EXPECT_EQ(bond.daysToCoupon(), 184.0f);
    EXPECT_EQ(bond.GetPrice(), 97.0f);
    EXPECT_EQ(bond.numFlows(), 21);
}

TEST(qalBondCoupon, UnbracketedYieldIsMinus999) {
    qalBond bond = Bond("08/15/2010", "05/15/2010", 150, 2);
    EXPECT_EQ(bond.GetYTM(), -999.0f);
    EXPECT_EQ(bond.yieldValue(), -999.0f);
    qalBond cheap = Bond("05/15/2011", "05/15/2010", 20, 2);
    EXPECT_EQ(cheap.GetYTM(), -999.0f);
}

TEST(qalBondCoupon, DurationAndConvexityUseTheBondYieldContinuously) {
    qalBond bond = Bond("05/15/2015", "08/01/2010", 96, 4);
    const float y = bond.GetYTM();
    double dd = 0, dc = 0;
    for (int i = 1; i <= bond.numFlows(); ++i) {
        const double t = bond.cashTime(i);
        dd += t * bond.cashFlow(i) * std::exp(-y * t);
        dc += t * t * bond.cashFlow(i) * std::exp(-y * t);
    }
    EXPECT_NEAR(bond.GetDollarDuration(), dd, 1e-3);
    EXPECT_NEAR(bond.GetDollarConvexity(), dc, 1e-2);
    EXPECT_EQ(bond.yieldValue(), y);
}

TEST(qalBondStream, ZeroFlowsYieldTheFirstMidpoint) {
    Array1<float> t(3), c(3);
    t(1) = 1;
    t(2) = 2;
    t(3) = 3;
    qalBond stream;
    stream.SetCashFlows(t, c, 3);
    EXPECT_EQ(stream.GetPrice(), 0.0f);
    EXPECT_EQ(stream.GetYTM(), 0.49505f);
}

TEST(qalBondStream, PricedOffTheSessionZeroCurve) {
    CountingPendingEvents events;
    Session session;
    session.events = &events;
    session.nBonds = 3;
    session.ZeroYields.Redim(3);
    session.ZeroTimes.Redim(3);
    const float times[] = {0.5f, 0.5f, 2, 10};
    const float rates[] = {0.02f, 0.02f, 0.03f, 0.05f};
    for (int k = 0; k <= 3; ++k) {
        session.ZeroTimes(k) = times[k];
        session.ZeroYields(k) = rates[k];
    }
    Array1<float> t(3), c(3);
    t(1) = 0.25f; // before the first point: flat
    t(2) = 1.25f; // interpolated: 0.025
    t(3) = 12;    // beyond the last point: flat
    c(1) = 10;
    c(2) = 20;
    c(3) = 110;
    qalBond stream(&session);
    stream.SetCashFlows(t, c, 3);
    const double expected =
        10 * std::exp(-0.25 * 0.02f) + 20 * std::exp(-1.25 * 0.025f) + 110 * std::exp(-12 * 0.05f);
    EXPECT_NEAR(stream.GetPrice(), expected, 2e-5);
    EXPECT_EQ(stream.priceValue(), 0.0f); // GetPrice does not store a stream's price
    EXPECT_EQ(events.calls, 1);           // one interior interpolation
    const float y = stream.GetYTM();
    EXPECT_NEAR(stream.priceValue(), expected, 2e-5);
    double atYield = 10 * std::exp(-0.25 * y) + 20 * std::exp(-1.25 * y) + 110 * std::exp(-12.0 * y);
    EXPECT_NEAR(atYield, expected, 1e-4);
}

TEST(qalBondStream, WithoutACurveRatesAreZero) {
    Array1<float> t(2), c(2);
    t(1) = 1;
    t(2) = 5;
    c(1) = 5;
    c(2) = 105;
    qalBond stream;
    stream.SetCashFlows(t, c, 2);
    EXPECT_EQ(stream.GetPrice(), 110.0f);
}

// A plain port of the pricing rules (every power by std::pow, every bisection step evaluated):
// the yield the class answers must be the same to the last bit.
float ReferencePrice(const qalBond& b, float y) {
    const double base = 1 + y / static_cast<double>(b.couponFreq());
    float sum = 0;
    for (int i = 1; i <= b.numFlows(); ++i)
        sum = static_cast<float>(sum + static_cast<float>(b.cashFlow(i) / std::pow(base, i - 1)));
    const double w = b.daysToCoupon() / (b.daysSinceCoupon() + b.daysToCoupon());
    return static_cast<float>(sum / std::pow(base, w));
}

float ReferenceYield(const qalBond& b, float price) {
    float lo = 0.0001f, hi = 0.99f;
    float flo = static_cast<float>(ReferencePrice(b, lo) - static_cast<double>(price));
    const float fhi = static_cast<float>(ReferencePrice(b, hi) - static_cast<double>(price));
    if (static_cast<float>(static_cast<double>(flo) * fhi) > 0)
        return -999;
    float mid = 0;
    for (int k = 1; k <= 100; ++k) {
        mid = static_cast<float>((static_cast<double>(lo) + hi) * 0.5);
        const float fmid = static_cast<float>(ReferencePrice(b, mid) - static_cast<double>(price));
        if (std::fabs(fmid) < 0.000001f)
            return mid;
        if (static_cast<float>(static_cast<double>(fmid) * flo) > 0) {
            lo = mid;
            flo = fmid;
        } else {
            hi = mid;
        }
    }
    return mid;
}

TEST(qalBondCoupon, YieldIsBitForBitThePlainRule) {
    std::mt19937 rng(20100630);
    std::uniform_int_distribution<int> day(0, 365 * 25);
    std::uniform_int_distribution<int> months(1, 360);
    std::uniform_real_distribution<float> coupon(0, 12), quote(60, 140);
    int solved = 0;
    for (int n = 0; n < 1500; ++n) {
        const Date today = MakeDate(1995, 1, 1) + std::chrono::days(day(rng));
        const Date maturity = AddMonths(today, months(rng)) + std::chrono::days(day(rng) % 20);
        const std::string todayText = ShortDate(today, DateOrder::MonthFirst);
        const std::string maturityText = ShortDate(maturity, DateOrder::MonthFirst);
        qalBond bond;
        std::string last, next;
        bond.SetTBond(maturityText, todayText, quote(rng), coupon(rng), 2, last, next, 100);
        const float price = bond.GetPrice();
        const float y = bond.GetYTM();
        ASSERT_EQ(y, ReferenceYield(bond, price)) << maturityText << " from " << todayText;
        solved += y != -999;
    }
    EXPECT_GT(solved, 1200);
}

TEST(qalBondCoupon, EventsAreServicedOnceWhenAllHalvingsRun) {
    CountingPendingEvents events;
    Session session;
    session.events = &events;
    int matched = 0, unmatched = 0;
    for (float quote = 93.0f; quote < 94.0f; quote += 0.05f) {
        qalBond bond = Bond("05/15/2030", "08/03/2010", quote, 4.25f, &session);
        const int before = events.calls;
        const float y = bond.GetYTM();
        // A trial price equal to the price ends the bisection early, without servicing events.
        const float fmid =
            static_cast<float>(ReferencePrice(bond, y) - static_cast<double>(bond.priceValue()));
        const bool exact = std::fabs(fmid) < 0.000001f;
        (exact ? matched : unmatched)++;
        EXPECT_EQ(events.calls - before, exact ? 0 : 1) << quote;
        bond.GetDollarConvexity();
        EXPECT_EQ(events.calls - before, exact ? 1 : 3) << quote;
    }
    EXPECT_GT(matched, 0);
    EXPECT_GT(unmatched, 0);
}

} // namespace
} // namespace yarrow
