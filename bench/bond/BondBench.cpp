// One analytics-grid row for a 30-year bond and two zero-curve bootstraps (the bundled 10-point
// curve and a 400-bond curve), each measured against QuantLib doing the same work. The summary
// after the table gives QuantLib's time over ours.

#include "core/bond/qalBond.h"
#include "core/data/FrbSeries.h"
#include "core/data/Session.h"
#include "core/curves/SessionZeroCurve.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/Dates.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <ql/instruments/bonds/fixedratebond.hpp>
#include <ql/math/interpolations/linearinterpolation.hpp>
#include <ql/pricingengines/bond/bondfunctions.hpp>
#include <ql/quotes/simplequote.hpp>
#include <ql/settings.hpp>
#include <ql/termstructures/yield/bondhelpers.hpp>
#include <ql/termstructures/yield/piecewiseyieldcurve.hpp>
#include <ql/termstructures/yield/zerocurve.hpp>
#include <ql/time/calendars/nullcalendar.hpp>
#include <ql/time/daycounters/actual365fixed.hpp>
#include <ql/time/daycounters/actualactual.hpp>
#include <ql/time/schedule.hpp>
#include <string>
#include <vector>

using namespace yarrow;
namespace ql = QuantLib;

namespace {

ql::Date ToQl(Date d) {
    return ql::Date(static_cast<ql::Day>(Day(d)), static_cast<ql::Month>(Month(d)),
                    static_cast<ql::Year>(Year(d)));
}

std::string Text(Date d) {
    return ShortDate(d, DateOrder::MonthFirst);
}

ql::Schedule QlSchedule(Date effective, Date maturity) {
    return ql::Schedule(ToQl(effective), ToQl(maturity), ql::Period(ql::Semiannual), ql::NullCalendar(),
                        ql::Unadjusted, ql::Unadjusted, ql::DateGeneration::Backward, false);
}

ql::ext::shared_ptr<ql::RateHelper> Helper(const qalBond& b, Date effective, Date maturity, double quote) {
    const ql::Schedule s = QlSchedule(effective, maturity);
    return ql::ext::make_shared<ql::FixedRateBondHelper>(
        ql::Handle<ql::Quote>(ql::ext::make_shared<ql::SimpleQuote>(quote)), 0, 100.0, s,
        std::vector<ql::Rate>{b.GetCoupon()}, ql::ActualActual(ql::ActualActual::ISMA), ql::Unadjusted, 100.0,
        s.dates().front());
}

// ---- (a) one analytics-grid row: 30-year 4 1/4 % bond at 98.5 ----

const Date kRowToday = MakeDate(2010, 12, 31);
const Date kRowMaturity = MakeDate(2040, 11, 15);

void YarrowAnalyticsRow(benchmark::State& state) {
    qalBond bond;
    std::string last, next;
    bond.SetTBond(Text(kRowMaturity), Text(kRowToday), 98.5f, 4.25f, 2, last, next, 100);
    for (auto _ : state) {
        benchmark::DoNotOptimize(bond.GetPrice());
        benchmark::DoNotOptimize(bond.GetYTM());
        benchmark::DoNotOptimize(bond.GetDollarDuration());
        benchmark::DoNotOptimize(bond.GetDollarConvexity());
    }
    state.counters["yield"] = bond.GetYTM();
}

void QuantLibAnalyticsRow(benchmark::State& state) {
    ql::Settings::instance().evaluationDate() = ToQl(kRowToday);
    const ql::DayCounter isma = ql::ActualActual(ql::ActualActual::ISMA);
    ql::FixedRateBond bond(0, 100.0, QlSchedule(MakeDate(2010, 11, 15), kRowMaturity), {0.0425}, isma);
    double y = 0;
    for (auto _ : state) {
        y = ql::BondFunctions::yield(bond, 98.5, isma, ql::Compounded, ql::Semiannual, ToQl(kRowToday));
        const ql::InterestRate rate(y, isma, ql::Compounded, ql::Semiannual);
        benchmark::DoNotOptimize(
            ql::BondFunctions::duration(bond, rate, ql::Duration::Modified, ToQl(kRowToday)));
        benchmark::DoNotOptimize(ql::BondFunctions::convexity(bond, rate, ToQl(kRowToday)));
    }
    state.counters["yield"] = y;
}

// ---- (b) bootstraps ----

// The bundled 2010 year-end table, priced.
struct Bundled {
    Session session;
    Date today;
    std::vector<ql::ext::shared_ptr<ql::RateHelper>> helpers;
    Bundled() {
        GridModel grid;
        GrabFRBYieldCurveFromFolder(YARROW_FRB_DIR, grid, session);
        today = CDate(session.quoteDate, session.dateOrder);
        BuildBondTable(session, grid, Text(today));
        for (int i = 1; i <= session.nBonds; ++i) {
            qalBond& b = session.Bond(i);
            const float price = b.GetPrice();
            const Date maturity = CDate(b.GetMaturity(), session.dateOrder);
            const bool bill = b.bondType() == qalBond::TBILL;
            helpers.push_back(
                Helper(b, bill ? today : AddYears(maturity, -40), maturity, bill ? price : b.GetQuote()));
        }
    }
};

// 400 bonds from one month to 30 years, about 0.9 months apart, priced off a smooth curve.
struct Large {
    Session session;
    Date today = MakeDate(2010, 12, 31);
    std::vector<ql::ext::shared_ptr<ql::RateHelper>> helpers;
    Large() {
        for (int i = 1; i <= 400; ++i) {
            // Days above 28 move back three days, so both sides schedule the same dates.
            const Date maturity = today + std::chrono::days(30 + (i - 1) * 27);
            const Date m = Day(maturity) > 28 ? maturity - std::chrono::days(3) : maturity;
            auto bond = std::make_unique<qalBond>(&session);
            std::string last, next;
            const float coupon = static_cast<float>(1 + (i * 37 % 90) / 10.0);
            bond->SetTBond(Text(m), Text(today), 100, coupon, 2, last, next, 100);
            double full = 0;
            for (int k = 1; k <= bond->numFlows(); ++k) {
                const double t = bond->cashTime(k);
                const double z = 0.045 - 0.035 * std::exp(-t / 3.0);
                full += bond->cashFlow(k) * std::exp(-z * t);
            }
            const double accrued = bond->GetCoupon() * 50.0 * bond->daysSinceCoupon() /
                                   (bond->daysSinceCoupon() + bond->daysToCoupon());
            bond->setQuote(std::round((full - accrued) * 1000) / 1000);
            bond->GetPrice();
            helpers.push_back(Helper(*bond, CDate(last, DateOrder::MonthFirst), m, bond->GetQuote()));
            session.Bonds.push_back(std::move(bond));
        }
        session.nBonds = 400;
    }
};

template <class Table> Table& Instance() {
    static Table table;
    return table;
}

template <class Table> void YarrowBootstrap(benchmark::State& state) {
    Session& session = Instance<Table>().session;
    for (auto _ : state) {
        BootstrapZeroCurve(session, -1);
        benchmark::DoNotOptimize(session.ZeroYields(session.nBonds));
    }
    state.counters["last_zero"] = session.ZeroYields(session.nBonds);
}

template <class Table> void QuantLibBootstrap(benchmark::State& state) {
    Table& table = Instance<Table>();
    ql::Settings::instance().evaluationDate() = ToQl(table.today);
    double last = 0;
    for (auto _ : state) {
        ql::PiecewiseYieldCurve<ql::ZeroYield, ql::Linear> curve(ToQl(table.today), table.helpers,
                                                                 ql::Actual365Fixed());
        last = curve.nodes().back().second; // forces the bootstrap
        benchmark::DoNotOptimize(last);
    }
    state.counters["last_zero"] = last;
}

BENCHMARK(YarrowAnalyticsRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(QuantLibAnalyticsRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(YarrowBootstrap<Bundled>)->Name("YarrowBootstrap/bundled10")->Unit(benchmark::kMicrosecond);
BENCHMARK(QuantLibBootstrap<Bundled>)->Name("QuantLibBootstrap/bundled10")->Unit(benchmark::kMicrosecond);
BENCHMARK(YarrowBootstrap<Large>)->Name("YarrowBootstrap/bonds400")->Unit(benchmark::kMillisecond);
BENCHMARK(QuantLibBootstrap<Large>)->Name("QuantLibBootstrap/bonds400")->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

void PrintRatio(const SummaryReporter& r, const char* what, const std::string& ours,
                const std::string& theirs, double goal) {
    const auto o = r.seconds.find(ours);
    const auto t = r.seconds.find(theirs);
    if (o == r.seconds.end() || t == r.seconds.end())
        return;
    const double ratio = t->second / o->second;
    std::printf("%-28s Yarrow %10.3f us  QuantLib %12.3f us  QuantLib/Yarrow %8.1fx", what, o->second * 1e6,
                t->second * 1e6, ratio);
    if (goal > 0)
        std::printf("  (goal >= %.0fx: %s)", goal, ratio >= goal ? "met" : "NOT met");
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nSummary (time per iteration)\n");
    PrintRatio(reporter, "analytics row, 30-year bond", "YarrowAnalyticsRow", "QuantLibAnalyticsRow", 100);
    PrintRatio(reporter, "bootstrap, bundled 10 points", "YarrowBootstrap/bundled10",
               "QuantLibBootstrap/bundled10", 0);
    PrintRatio(reporter, "bootstrap, 400 bonds", "YarrowBootstrap/bonds400", "QuantLibBootstrap/bonds400",
               10);
    return 0;
}
