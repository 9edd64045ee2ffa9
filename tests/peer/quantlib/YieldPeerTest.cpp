#include "PeerBonds.h"
#include "core/bond/qalBond.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>
#include <ql/pricingengines/bond/bondfunctions.hpp>
#include <ql/settings.hpp>
#include <random>

namespace yarrow::peer {
namespace {

// Coupon bonds over twenty years of quote dates: coupons 0-12 %, 3 months to 30 years, clean
// prices 60-140. A tenth of the quote dates fall on a coupon date and a fifth of the maturities
// on a month end.
BondCase Generate(std::mt19937& rng) {
    std::uniform_int_distribution<int> dayOfRange(0, 365 * 20 - 1);
    std::uniform_int_distribution<int> months(3, 360);
    std::uniform_int_distribution<int> extraDays(0, 27);
    std::uniform_real_distribution<float> coupon(0, 12), clean(60, 140);
    std::uniform_real_distribution<double> u(0, 1);
    BondCase c;
    c.today = MakeDate(1995, 1, 1) + std::chrono::days(dayOfRange(rng));
    c.maturity = AddMonths(c.today, months(rng)) + std::chrono::days(extraDays(rng));
    if (u(rng) < 0.1) // first of a month
        c.maturity = MakeDate(Year(c.maturity), Month(c.maturity), 1);
    if (u(rng) < 0.2) { // month end
        const Date first = MakeDate(Year(c.maturity), Month(c.maturity), 1);
        c.maturity = AddMonths(first, 1) - std::chrono::days(1);
    }
    if (u(rng) < 0.1) { // quote on a coupon date: a whole number of half-years before maturity
        const int periods = std::max(1, DaysBetween(c.maturity, c.today) / 182);
        c.today = AddMonths(c.maturity, -6 * periods);
    }
    c.coupon = std::round(coupon(rng) * 1000) / 1000;
    c.clean = std::round(clean(rng) * 1000) / 1000;
    return c;
}

TEST(QuantLibYield, StreetYieldMatchesActualActualIsmaSemiannual) {
    std::mt19937 rng(19950101);
    int compared = 0, onCouponDate = 0, monthEnds = 0, outside = 0, scheduleDiffers = 0, border = 0;
    double worst = 0, worstDiffering = 0;
    for (int n = 0; n < 1200; ++n) {
        const BondCase c = Generate(rng);
        qalBond ours;
        std::string last, next;
        MakeOurs(ours, c, last, next);
        const auto schedule = QlSchedule(CDate(last, DateOrder::MonthFirst), c.maturity);
        const bool sameDates = SameSchedule(schedule, OurPaymentDates(next, c.maturity));
        QuantLib::Settings::instance().evaluationDate() = ToQl(c.today);
        const auto bond = QlBond(schedule, ours.GetCoupon());
        const float y = ours.GetYTM();
        double ql;
        try {
            ql = QuantLib::BondFunctions::yield(*bond, static_cast<double>(ours.GetQuote()),
                                                QuantLib::ActualActual(QuantLib::ActualActual::ISMA),
                                                QuantLib::Compounded, QuantLib::Semiannual, ToQl(c.today),
                                                1e-12);
        } catch (const QuantLib::Error&) {
            ql = -1e9; // no yield at all: far outside the bracket
        }
        if (!sameDates) {
            // The clipped-day convention: left out of the check, its figures reported.
            ++scheduleDiffers;
            if (y != -999.0f && ql > 0.0002 && ql < 0.98)
                worstDiffering = std::max(worstDiffering, std::fabs(y - ql));
            continue;
        }
        // Our bisection searches 0.0001..0.99 and answers -999 outside it.
        if (ql < 0.00005 || ql > 0.995) {
            EXPECT_EQ(y, -999.0f) << Text(c.maturity) << " from " << Text(c.today) << " QuantLib " << ql;
            ++outside;
            continue;
        }
        if (ql < 0.0002 || ql > 0.98) {
            ++border;
            continue;
        }
        const double diff = std::fabs(y - ql);
        worst = std::max(worst, diff);
        EXPECT_LE(diff, 2e-6) << Text(c.maturity) << " from " << Text(c.today) << " coupon " << c.coupon
                              << " clean " << c.clean << ": ours " << y << " QuantLib " << ql;
        ++compared;
        onCouponDate += ours.daysSinceCoupon() == 0 || ours.daysToCoupon() == 0;
        monthEnds += Day(AddMonths(c.maturity, 0) + std::chrono::days(1)) == 1;
    }
    std::cout << "compared " << compared << " (quote on a coupon date " << onCouponDate
              << ", month-end maturity " << monthEnds << "), outside the bracket " << outside
              << ", at its border " << border << ", schedules differ " << scheduleDiffers
              << "; largest difference " << worst << " (where the schedules differ: " << worstDiffering
              << ")\n";
    EXPECT_GE(compared, 300);
    EXPECT_GE(onCouponDate, 20);
    EXPECT_GE(monthEnds, 30);
    EXPECT_GE(outside, 10);
}

// Where the schedules differ by design, the two yields part: our dates keep a day clipped once
// (31 Dec -> 30 Jun -> 30 Dec) where QuantLib returns to the maturity's day. Not a check: the
// figures for the record.
TEST(QuantLibYield, ClippedScheduleDifferencesForTheRecord) {
    const BondCase cases[] = {
        {MakeDate(2010, 12, 31), MakeDate(2040, 12, 31), 4.34f, 100},
        {MakeDate(2010, 12, 31), MakeDate(2040, 12, 31), 4.34f, 80},
        {MakeDate(2010, 3, 15), MakeDate(2020, 8, 31), 3.5f, 95},
        {MakeDate(2010, 12, 31), MakeDate(2011, 12, 31), 0.29f, 100},
        {MakeDate(2010, 12, 31), MakeDate(2011, 12, 31), 0.29f, 99},
    };
    for (const BondCase& c : cases) {
        qalBond ours;
        std::string last, next;
        MakeOurs(ours, c, last, next);
        const auto schedule = QlSchedule(CDate(last, DateOrder::MonthFirst), c.maturity);
        EXPECT_FALSE(SameSchedule(schedule, OurPaymentDates(next, c.maturity)));
        QuantLib::Settings::instance().evaluationDate() = ToQl(c.today);
        const auto bond = QlBond(schedule, ours.GetCoupon());
        const double ql = QuantLib::BondFunctions::yield(
            *bond, static_cast<double>(ours.GetQuote()), QuantLib::ActualActual(QuantLib::ActualActual::ISMA),
            QuantLib::Compounded, QuantLib::Semiannual, ToQl(c.today));
        const float y = ours.GetYTM();
        std::cout << Text(c.maturity) << " from " << Text(c.today) << " coupon " << c.coupon << " clean "
                  << c.clean << ": ours " << y << " QuantLib " << ql << " (difference " << y - ql << ")\n";
    }
}

} // namespace
} // namespace yarrow::peer
