// Level, slope and curvature over the whole Treasury history, with the history already in memory
// as the window and the CLI hold it: choosing the observations and computing, each time.
// The four series quoted since 1962 (1Y 3Y 5Y 10Y) span all of it; the eight published since
// 1982 are the default choice.

#include "core/data/CmtHistory.h"
#include "core/lessons/Factors.h"
#include "core/text/Dates.h"

#include <benchmark/benchmark.h>

using namespace yarrow;

namespace {

const CmtHistory& History() {
    static const CmtHistory h = CmtHistory::FromFile(YARROW_HISTORY_COMPACT);
    return h;
}

FactorSpan WholeHistory(FactorStep step, std::vector<int> series) {
    return {History().First(), History().Last(), step, std::move(series)};
}

void BM_PcaDaily1962To2025(benchmark::State& state) {
    const FactorSpan span = WholeHistory(FactorStep::Daily, {2, 4, 5, 7});
    for (auto _ : state) {
        const PcaResult pca = PrincipalComponents(SelectFactorObservations(History(), span));
        benchmark::DoNotOptimize(pca.explained.front());
        state.counters["changes"] = static_cast<double>(pca.changes);
    }
}
BENCHMARK(BM_PcaDaily1962To2025)->Unit(benchmark::kMillisecond);

void BM_PcaDaily1982To2025EightSeries(benchmark::State& state) {
    const FactorSpan span = WholeHistory(FactorStep::Daily, DefaultFactorSeries());
    for (auto _ : state) {
        const PcaResult pca = PrincipalComponents(SelectFactorObservations(History(), span));
        benchmark::DoNotOptimize(pca.explained.front());
        state.counters["changes"] = static_cast<double>(pca.changes);
    }
}
BENCHMARK(BM_PcaDaily1982To2025EightSeries)->Unit(benchmark::kMillisecond);

void BM_DnsMonthly1962To2025(benchmark::State& state) {
    const FactorSpan span = WholeHistory(FactorStep::Monthly, {2, 4, 5, 7});
    for (auto _ : state) {
        const std::vector<DnsRow> rows =
            DynamicNelsonSiegel(SelectFactorObservations(History(), span), kDieboldLiLambda);
        benchmark::DoNotOptimize(rows.back().level);
        state.counters["months"] = static_cast<double>(rows.size());
    }
}
BENCHMARK(BM_DnsMonthly1962To2025)->Unit(benchmark::kMillisecond);

void BM_DnsDaily1982To2025EightSeries(benchmark::State& state) {
    const FactorSpan span = WholeHistory(FactorStep::Daily, DefaultFactorSeries());
    for (auto _ : state) {
        const std::vector<DnsRow> rows =
            DynamicNelsonSiegel(SelectFactorObservations(History(), span), kDieboldLiLambda);
        benchmark::DoNotOptimize(rows.back().level);
        state.counters["days"] = static_cast<double>(rows.size());
    }
}
BENCHMARK(BM_DnsDaily1982To2025EightSeries)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
