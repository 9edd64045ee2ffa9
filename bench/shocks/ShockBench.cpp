// Repricing a 400-bond table (par bonds a month apart, to 33 years) under a new shock, as the
// lesson window does while the slider moves: every bond's shocked value, shocked yield and both
// estimates. QuantLib reprices the same flows off the same zero curve through a spreaded curve
// whose spread quote changes every iteration (values only, no yields: less work than ours).
// The summary gives the time as a share of a 16 ms frame and QuantLib's time over ours.
//   build/bin/bench_shocks

#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/lessons/ShockRepricing.h"
#include "peer/quantlib/SameZeroCurve.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <ql/quotes/simplequote.hpp>
#include <ql/settings.hpp>
#include <ql/termstructures/yield/piecewisezerospreadedtermstructure.hpp>
#include <ql/termstructures/yield/zerospreadedtermstructure.hpp>
#include <string>
#include <vector>

using namespace yarrow;
namespace ql = QuantLib;

namespace {

constexpr int kBonds = 400;

struct Table {
    Session session;
    ZeroCurveKnots curve;
    std::vector<CurveBond> bonds;
    Table() {
        GridModel grid(kBonds + 2, 6, 1, 1);
        for (int i = 1; i <= kBonds; ++i) {
            const int year = 2010 + (12 + i - 1) / 12;
            const int month = (i - 1) % 12 + 1;
            char maturity[32], coupon[32];
            std::snprintf(maturity, sizeof maturity, "%02d/28/%04d", month, year);
            std::snprintf(coupon, sizeof coupon, "%.3f", 0.5 + 4.0 * i / kBonds);
            grid.SetTextMatrix(i + 1, 1, "B" + std::to_string(i));
            grid.SetTextMatrix(i + 1, 2, coupon);
            grid.SetTextMatrix(i + 1, 3, maturity);
            grid.SetTextMatrix(i + 1, 4, "100");
        }
        BuildBondTable(session, grid, "12/31/2010");
        curve = ShockBaseCurve(session);
        bonds = PrepareTable(TableFlows(session), curve);
    }
};

const Table& TheTable() {
    static const Table table;
    return table;
}

// The slider's next position: -300 .. +300 bp.
double NextBp(int& step) {
    step = (step + 37) % 601;
    return step - 300.0;
}

void YarrowParallel(benchmark::State& state) {
    const Table& t = TheTable();
    int step = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ShockTable(t.bonds, {{0, NextBp(step)}}));
    state.counters["flows"] = [&] {
        double n = 0;
        for (const CurveBond& b : t.bonds)
            n += static_cast<double>(b.flows.times.size());
        return n;
    }();
}

void YarrowSteepener(benchmark::State& state) {
    const Table& t = TheTable();
    int step = 0;
    for (auto _ : state) {
        const double n = NextBp(step);
        benchmark::DoNotOptimize(ShockTable(t.bonds, {{2, -n / 2}, {10, n / 2}}));
    }
}

const ql::Date kToday(31, ql::December, 2010);

double QlValues(const ql::YieldTermStructure& curve, const std::vector<CurveBond>& bonds) {
    double sum = 0;
    for (const CurveBond& b : bonds) {
        double v = 0;
        for (size_t j = 0; j < b.flows.times.size(); ++j)
            v += b.flows.amounts[j] * curve.discount(b.flows.times[j], true);
        sum += v;
    }
    return sum;
}

void QuantLibParallel(benchmark::State& state) {
    const Table& t = TheTable();
    ql::Settings::instance().evaluationDate() = kToday;
    const ql::Handle<ql::YieldTermStructure> base(ql::ext::make_shared<peer::SameZeroCurve>(kToday, t.curve));
    const auto spread = ql::ext::make_shared<ql::SimpleQuote>(0.0);
    ql::ZeroSpreadedTermStructure shocked(base, ql::Handle<ql::Quote>(spread));
    shocked.enableExtrapolation();
    int step = 0;
    for (auto _ : state) {
        spread->setValue(NextBp(step) / 10000);
        benchmark::DoNotOptimize(QlValues(shocked, t.bonds));
    }
}

void QuantLibSteepener(benchmark::State& state) {
    const Table& t = TheTable();
    ql::Settings::instance().evaluationDate() = kToday;
    const ql::Handle<ql::YieldTermStructure> base(ql::ext::make_shared<peer::SameZeroCurve>(kToday, t.curve));
    const auto lo = ql::ext::make_shared<ql::SimpleQuote>(0.0),
               hi = ql::ext::make_shared<ql::SimpleQuote>(0.0);
    ql::PiecewiseZeroSpreadedTermStructure shocked(
        base, {ql::Handle<ql::Quote>(lo), ql::Handle<ql::Quote>(hi)}, {kToday + 730, kToday + 3650});
    shocked.enableExtrapolation();
    int step = 0;
    for (auto _ : state) {
        const double n = NextBp(step);
        lo->setValue(-n / 20000);
        hi->setValue(n / 20000);
        benchmark::DoNotOptimize(QlValues(shocked, t.bonds));
    }
}

BENCHMARK(YarrowParallel)->Unit(benchmark::kMicrosecond);
BENCHMARK(QuantLibParallel)->Unit(benchmark::kMicrosecond);
BENCHMARK(YarrowSteepener)->Unit(benchmark::kMicrosecond);
BENCHMARK(QuantLibSteepener)->Unit(benchmark::kMicrosecond);

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
                const std::string& theirs) {
    const auto o = r.seconds.find(ours);
    const auto t = r.seconds.find(theirs);
    if (o == r.seconds.end() || t == r.seconds.end())
        return;
    std::printf(
        "%-22s Yarrow %9.1f us (%5.1f %% of a 16 ms frame)  QuantLib %9.1f us  QuantLib/Yarrow %6.2fx\n",
        what, o->second * 1e6, o->second / 0.016 * 100, t->second * 1e6, t->second / o->second);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nSummary (400 bonds, time per new shock)\n");
    PrintRatio(reporter, "parallel shift", "YarrowParallel", "QuantLibParallel");
    PrintRatio(reporter, "steepener (2 knots)", "YarrowSteepener", "QuantLibSteepener");
    return 0;
}
