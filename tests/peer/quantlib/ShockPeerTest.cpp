#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/lessons/ShockRepricing.h"
#include "peer/quantlib/SameZeroCurve.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>
#include <ql/quotes/simplequote.hpp>
#include <ql/termstructures/yield/piecewisezerospreadedtermstructure.hpp>
#include <ql/termstructures/yield/zerospreadedtermstructure.hpp>
#include <random>

namespace yarrow::peer {
namespace {

using namespace QuantLib;
using QlDate = QuantLib::Date;

struct Table {
    std::vector<std::array<std::string, 4>> rows; // name, coupon %, maturity, quote
};

// Par-ish bonds after two bills: maturities 1 to 30 years apart by random months, as of 12/31/2010.
Table Generate(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(0, 1);
    Table t{{{"3TD", "0", "03/31/2011", "0.12"}, {"6TD", "0", "06/30/2011", "0.19"}}};
    int months = 12;
    const double level = 0.5 + 5 * u(rng), slope = -1 + 4 * u(rng);
    while (months <= 360) {
        const double years = months / 12.0;
        const double coupon = std::max(0.0, level + slope * (1 - std::exp(-years / 5)) + u(rng) - 0.5);
        char name[16], coupon_[48], quote[48], maturity[48];
        std::snprintf(name, sizeof name, "B%d", months);
        std::snprintf(coupon_, sizeof coupon_, "%.3f", coupon);
        std::snprintf(quote, sizeof quote, "%.3f", 100 + 6 * u(rng) - 3);
        std::snprintf(maturity, sizeof maturity, "12/31/%d", 2010 + months / 12);
        if (months % 12 != 0)
            std::snprintf(maturity, sizeof maturity, "%02d/%02d/%d", months % 12, 15, 2010 + months / 12 + 1);
        t.rows.push_back({name, coupon_, maturity, quote});
        months += 6 + static_cast<int>(30 * u(rng));
    }
    return t;
}

TEST(QuantLibShock, ShockedValuesMatchSpreadedZeroCurves) {
    std::mt19937 rng(20260101);
    const QlDate today(31, December, 2010);
    Settings::instance().evaluationDate() = today;
    int compared = 0, curves = 0;
    double worst = 0;
    for (int k = 0; k < 12; ++k) {
        const Table table = Generate(rng);
        Session session;
        GridModel data(static_cast<int>(table.rows.size()) + 2, 6, 1, 1);
        for (size_t r = 0; r < table.rows.size(); ++r)
            for (int c = 0; c < 4; ++c)
                data.SetTextMatrix(static_cast<int>(r) + 2, c + 1, table.rows[r][static_cast<size_t>(c)]);
        BuildBondTable(session, data, "12/31/2010");
        const ZeroCurveKnots curve = ShockBaseCurve(session);
        const auto base = ext::make_shared<SameZeroCurve>(today, curve);
        ASSERT_TRUE(base->Increasing());
        const Handle<YieldTermStructure> baseHandle(base);
        const std::vector<CurveBond> bonds = PrepareTable(TableFlows(session), curve);
        ++curves;

        std::uniform_real_distribution<double> bp(-300, 300);
        std::uniform_int_distribution<int> day(1, 365 * 12);
        for (int s = 0; s < 6; ++s) {
            ShockKnots shock;
            ext::shared_ptr<YieldTermStructure> shocked;
            if (s < 2) {
                const double n = s == 0 ? (k % 2 ? 5000 : -5000) : bp(rng);
                shock = {{0, n}};
                shocked = ext::make_shared<ZeroSpreadedTermStructure>(
                    baseHandle, Handle<Quote>(ext::make_shared<SimpleQuote>(n / 10000)));
            } else {
                // Knots on whole days, so their times are the same on both sides.
                std::vector<int> days{day(rng), day(rng), day(rng) + 365 * 12};
                std::sort(days.begin(), days.end());
                std::vector<Handle<Quote>> spreads;
                std::vector<QlDate> dates;
                for (int d : days) {
                    if (!shock.empty() && shock.back().years == d / 365.0)
                        continue;
                    shock.push_back({d / 365.0, bp(rng)});
                    spreads.emplace_back(ext::make_shared<SimpleQuote>(shock.back().bp / 10000));
                    dates.push_back(today + static_cast<QuantLib::Date::serial_type>(d));
                }
                shocked = ext::make_shared<PiecewiseZeroSpreadedTermStructure>(baseHandle, spreads, dates);
            }
            shocked->enableExtrapolation();
            for (const CurveBond& b : bonds) {
                double theirs = 0;
                for (size_t j = 0; j < b.flows.times.size(); ++j)
                    theirs += b.flows.amounts[j] * shocked->discount(b.flows.times[j], true);
                const double ours = ShockBond(b, shock).shocked;
                const double rel = std::fabs(ours - theirs) / theirs;
                worst = std::max(worst, rel);
                EXPECT_LT(rel, 1e-8) << b.flows.name << " shock " << ShockKnotsText(shock);
                ++compared;
            }
        }
    }
    std::cout << "compared " << compared << " shocked values on " << curves << " curves, worst relative "
              << worst << "\n";
}

} // namespace
} // namespace yarrow::peer
