// The Treasury history: reading it (compact form and text) and, for days spread over 1962-2025,
// looking up the day, writing the data grid and building the bond table with its prices, which
// is what "Load" in the dialog and --history-date do once the history is in memory.

#include "core/data/CmtHistory.h"
#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/Dates.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sstream>
#include <string>

using namespace yarrow;

namespace {

std::string ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void BM_ReadCompactFile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CmtHistory::FromFile(YARROW_HISTORY_COMPACT).Size());
}
BENCHMARK(BM_ReadCompactFile)->Unit(benchmark::kMillisecond);

void BM_ParseText(benchmark::State& state) {
    const std::string text = ReadAll(YARROW_HISTORY_TEXT);
    for (auto _ : state)
        benchmark::DoNotOptimize(CmtHistory::FromText(text).Size());
}
BENCHMARK(BM_ParseText)->Unit(benchmark::kMillisecond);

// One day: lookup, grid, table, and every bond's price and yield as the curves listing asks.
void BM_LoadDayAndBuildTable(benchmark::State& state) {
    const CmtHistory history = CmtHistory::FromFile(YARROW_HISTORY_COMPACT);
    const int first = static_cast<int>(history.First().time_since_epoch().count());
    const int span = static_cast<int>(history.Last().time_since_epoch().count()) - first;
    int step = 0;
    for (auto _ : state) {
        const Date date{std::chrono::days(first + (step++ * 7919) % span)};
        Session session;
        GridModel grid;
        WriteCmtDay(history.DayOf(date), grid, session);
        BuildBondTable(session, grid, FormatDate(CDate(session.quoteDate, session.dateOrder), "mm/dd/yyyy"));
        for (int i = 1; i <= session.nBonds; ++i) {
            benchmark::DoNotOptimize(session.Bond(i).GetPrice());
            benchmark::DoNotOptimize(session.Bond(i).GetYTM());
        }
    }
}
BENCHMARK(BM_LoadDayAndBuildTable)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
