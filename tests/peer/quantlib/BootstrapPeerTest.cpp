#include "PeerBonds.h"
#include "core/data/FrbSeries.h"
#include "core/data/Session.h"
#include "core/curves/SessionZeroCurve.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <ql/math/interpolations/linearinterpolation.hpp>
#include <ql/quotes/simplequote.hpp>
#include <ql/settings.hpp>
#include <ql/termstructures/yield/bondhelpers.hpp>
#include <ql/termstructures/yield/piecewiseyieldcurve.hpp>
#include <ql/termstructures/yield/zerocurve.hpp>
#include <ql/time/daycounters/actual365fixed.hpp>
#include <random>

namespace yarrow::peer {
namespace {

// A smooth continuous zero curve to price the generated bonds from (Nelson-Siegel shape).
struct TrueCurve {
    double b0, b1, b2, tau;
    double operator()(double t) const {
        const double x = std::max(t, 1e-6) / tau;
        const double slope = (1 - std::exp(-x)) / x;
        return std::max(0.002, b0 + b1 * slope + b2 * (slope - std::exp(-x)));
    }
};

struct CurveCase {
    Date today;
    std::vector<BondCase> bonds; // increasing maturities
};

// Maturities from 3 months to 30 years, 3 to 14 months apart, every one with a schedule both
// sides agree on; clean prices from a smooth curve, rounded to 1/1000.
CurveCase GenerateCurve(std::mt19937& rng) {
    std::uniform_int_distribution<int> dayOfRange(0, 365 * 20 - 1), gap(3, 14), first(3, 8), day(1, 28);
    std::uniform_int_distribution<int> count(10, 40);
    std::uniform_real_distribution<double> u(0, 1);
    CurveCase c;
    c.today = MakeDate(1995, 1, 1) + std::chrono::days(dayOfRange(rng));
    const TrueCurve curve{0.03 + 0.04 * u(rng), -0.03 + 0.05 * u(rng), -0.02 + 0.04 * u(rng), 1 + 3 * u(rng)};
    const int n = count(rng);
    Date month = AddMonths(MakeDate(Year(c.today), Month(c.today), 1), first(rng));
    while (static_cast<int>(c.bonds.size()) < n && month < AddYears(c.today, 30)) {
        BondCase b;
        b.today = c.today;
        b.maturity = u(rng) < 0.2 ? AddMonths(month, 1) - std::chrono::days(1) // month end
                                  : MakeDate(Year(month), Month(month), day(rng));
        b.coupon = static_cast<float>(std::round(12000 * u(rng)) / 1000);
        qalBond bond;
        std::string last, next;
        MakeOurs(bond, b, last, next);
        month = AddMonths(month, gap(rng));
        if (bond.daysToMaturity() <= 0 ||
            !SameSchedule(QlSchedule(CDate(last, DateOrder::MonthFirst), b.maturity),
                          OurPaymentDates(next, b.maturity)))
            continue;
        double full = 0;
        for (int i = 1; i <= bond.numFlows(); ++i)
            full += bond.cashFlow(i) * std::exp(-curve(bond.cashTime(i)) * bond.cashTime(i));
        const double accrued =
            bond.GetCoupon() * 50.0 * bond.daysSinceCoupon() / (bond.daysSinceCoupon() + bond.daysToCoupon());
        b.clean = static_cast<float>(std::round((full - accrued) * 1000) / 1000);
        c.bonds.push_back(b);
    }
    return c;
}

TEST(QuantLibBootstrap, ContinuousZeroCurveMatchesPiecewiseLinearZero) {
    std::mt19937 rng(20101231);
    int nodes = 0, curves = 0;
    double worst = 0;
    for (int k = 0; k < 15; ++k) {
        const CurveCase c = GenerateCurve(rng);
        Session session;
        std::vector<QuantLib::ext::shared_ptr<QuantLib::RateHelper>> helpers;
        QuantLib::Settings::instance().evaluationDate() = ToQl(c.today);
        for (const BondCase& b : c.bonds) {
            auto bond = std::make_unique<qalBond>(&session);
            std::string last, next;
            MakeOurs(*bond, b, last, next);
            bond->GetPrice();
            const auto schedule = QlSchedule(CDate(last, DateOrder::MonthFirst), b.maturity);
            helpers.push_back(QuantLib::ext::make_shared<QuantLib::FixedRateBondHelper>(
                QuantLib::Handle<QuantLib::Quote>(
                    QuantLib::ext::make_shared<QuantLib::SimpleQuote>(bond->GetQuote())),
                0, 100.0, schedule, std::vector<QuantLib::Rate>{bond->GetCoupon()},
                QuantLib::ActualActual(QuantLib::ActualActual::ISMA), QuantLib::Unadjusted, 100.0,
                schedule.dates().front()));
            session.Bonds.push_back(std::move(bond));
        }
        session.nBonds = static_cast<int16_t>(c.bonds.size());
        BootstrapZeroCurve(session, -1);

        QuantLib::PiecewiseYieldCurve<QuantLib::ZeroYield, QuantLib::Linear> ql(ToQl(c.today), helpers,
                                                                                QuantLib::Actual365Fixed());
        for (int i = 1; i <= session.nBonds; ++i) {
            const double theirs = ql.zeroRate(ToQl(c.bonds[static_cast<size_t>(i - 1)].maturity),
                                              QuantLib::Actual365Fixed(), QuantLib::Continuous)
                                      .rate();
            const double diff = std::fabs(session.ZeroYields(i) - theirs);
            worst = std::max(worst, diff);
            EXPECT_LE(diff, 1e-5) << "curve " << k << " node " << i << " ("
                                  << Text(c.bonds[static_cast<size_t>(i - 1)].maturity) << " from "
                                  << Text(c.today) << "): ours " << session.ZeroYields(i) << " QuantLib "
                                  << theirs;
            ++nodes;
        }
        // Both curves are flat before the first maturity.
        EXPECT_EQ(session.ZeroYields(0), session.ZeroYields(1));
        EXPECT_NEAR(ql.zeroRate(0.01, QuantLib::Continuous).rate(), session.ZeroYields(1), 1e-5);
        ++curves;
    }
    std::cout << curves << " curves, " << nodes << " nodes; largest difference " << worst << "\n";
    EXPECT_GE(nodes, 300);
}

// The bundled year-end curve has every maturity on 31 December: our six-month steps pay on
// 30 June and 30 December, QuantLib on 30 June and 31 December, so the curves differ by design.
// Not a check beyond sanity: the figures for the record.
TEST(QuantLibBootstrap, BundledYearEndCurveForTheRecord) {
    const std::string folder = (std::filesystem::path(YARROW_SOURCE_DIR) / "resources/FRBData")
                                   .lexically_normal()
                                   .string();
    Session session;
    GridModel grid;
    GrabFRBYieldCurveFromFolder(folder, grid, session);
    const Date today = CDate(session.quoteDate, session.dateOrder);
    BuildBondTable(session, grid, Text(today));
    QuantLib::Settings::instance().evaluationDate() = ToQl(today);
    std::vector<QuantLib::ext::shared_ptr<QuantLib::RateHelper>> helpers;
    std::vector<Date> maturities;
    for (int i = 1; i <= session.nBonds; ++i) {
        qalBond& b = session.Bond(i);
        const float price = b.GetPrice();
        const Date maturity = CDate(b.GetMaturity(), session.dateOrder);
        maturities.push_back(maturity);
        const bool bill = b.bondType() == qalBond::TBILL;
        // QuantLib's own schedule, backward from the maturity; a bill is a zero-coupon bond.
        const QuantLib::Schedule schedule =
            QlSchedule(bill ? today : AddMonths(maturity, -12 * 40), maturity);
        helpers.push_back(QuantLib::ext::make_shared<QuantLib::FixedRateBondHelper>(
            QuantLib::Handle<QuantLib::Quote>(
                QuantLib::ext::make_shared<QuantLib::SimpleQuote>(bill ? price : b.GetQuote())),
            0, 100.0, schedule, std::vector<QuantLib::Rate>{b.GetCoupon()},
            QuantLib::ActualActual(QuantLib::ActualActual::ISMA), QuantLib::Unadjusted, 100.0,
            schedule.dates().front()));
    }
    BootstrapZeroCurve(session, -1);
    QuantLib::PiecewiseYieldCurve<QuantLib::ZeroYield, QuantLib::Linear> ql(ToQl(today), helpers,
                                                                            QuantLib::Actual365Fixed());
    for (int i = 1; i <= session.nBonds; ++i) {
        const double theirs = ql.zeroRate(ToQl(maturities[static_cast<size_t>(i - 1)]),
                                          QuantLib::Actual365Fixed(), QuantLib::Continuous)
                                  .rate();
        std::cout << session.Bond(i).GetName() << ": ours " << session.ZeroYields(i) << " QuantLib " << theirs
                  << " (difference " << session.ZeroYields(i) - theirs << ")\n";
        EXPECT_NEAR(session.ZeroYields(i), theirs, 5e-4);
    }
}

} // namespace
} // namespace yarrow::peer
