// The Treasury history: reading it (compact form and text) and, for days spread over 1962-2025,
// looking up the day, writing the data grid and building the bond table with its prices, which
// is what "Load" in the dialog and --history-date do once the history is in memory.

#include "core/data/CmtHistory.h"
#include "core/data/TreasuryHistory.h"
#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/Dates.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
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

// A year of the Treasury's file after the bundled history's last day, newest first as served.
std::string TreasuryYear(Date after, int days) {
    std::string text = "Date,\"1 Mo\",\"1.5 Mo\",\"2 Mo\",\"3 Mo\",\"4 Mo\",\"6 Mo\",\"1 Yr\",\"2 Yr\",\"3 Yr\","
                       "\"5 Yr\",\"7 Yr\",\"10 Yr\",\"20 Yr\",\"30 Yr\"\r\n";
    for (int k = days; k >= 1; --k) {
        const std::string r = HundredthsText(static_cast<int16_t>(400 + k % 50));
        text += FormatDate(after + std::chrono::days(k), "mm/dd/yyyy");
        for (int s = 0; s < 14; ++s)
            text += "," + r;
        text += "\r\n";
    }
    return text;
}

// The whole way to one day's table for a reader after an update: the bundled compact file plus a
// user file of a year, the day's lookup, the grid and the bond table with every price and yield.
void BM_LoadUpdatedHistoryDayAndTable(benchmark::State& state) {
    const CmtHistory bundled = CmtHistory::FromFile(YARROW_HISTORY_COMPACT);
    const std::string user = (std::filesystem::temp_directory_path() / "yarrow-bench-user-history.tsv").string();
    const RatesFile year = ParseTreasuryRates(TreasuryYear(bundled.Last(), 365), "bench");
    std::ofstream(user) << UserHistoryText("", MergeNewDays(bundled, year.records).added);
    int step = 0;
    for (auto _ : state) {
        const CmtHistory history = LoadTreasuryHistory(YARROW_HISTORY_COMPACT, user);
        const int first = static_cast<int>(history.First().time_since_epoch().count());
        const int span = static_cast<int>(history.Last().time_since_epoch().count()) - first;
        const Date date{std::chrono::days(first + (step++ * 7919) % span)};
        Session session;
        GridModel grid;
        WriteCmtDay(history.DayOf(date), grid, session);
        BuildBondTable(session, grid, FormatDate(CDate(session.quoteDate, session.dateOrder), "mm/dd/yyyy"));
        for (int i = 1; i <= session.nBonds; ++i)
            benchmark::DoNotOptimize(session.Bond(i).GetYTM());
    }
    std::remove(user.c_str());
}
BENCHMARK(BM_LoadUpdatedHistoryDayAndTable)->Unit(benchmark::kMillisecond);

// A year of updates: the Treasury's file read, merged against the history held and the user
// file's new text made (after a previous year already in it).
void BM_MergeYearOfUpdates(benchmark::State& state) {
    const CmtHistory bundled = CmtHistory::FromFile(YARROW_HISTORY_COMPACT);
    const std::string previous = UserHistoryText(
        "", MergeNewDays(bundled, ParseTreasuryRates(TreasuryYear(bundled.Last(), 365), "old").records).added);
    CmtHistory held = bundled;
    held.Append(CmtHistory::FromText(previous));
    const std::string file = TreasuryYear(held.Last() - std::chrono::days(10), 375); // overlaps ten days
    for (auto _ : state) {
        const RatesFile year = ParseTreasuryRates(file, "2026");
        const HistoryMerge merge = MergeNewDays(held, year.records);
        benchmark::DoNotOptimize(UserHistoryText(previous, merge.added).size());
    }
}
BENCHMARK(BM_MergeYearOfUpdates)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
