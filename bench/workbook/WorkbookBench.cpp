// Reading the bundled workbook saved by a spreadsheet program (463 rows x 24 columns, three
// charts), a 50,000-row .csv at the cell limit's tenth, and one 460-row column request.

#include "io/workbook/WorkbookReader.h"
#include "io/workbook/WorkbookServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace yarrow;

namespace {

void ReadExcelWorkbook(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWorkbook(YARROW_EXCEL_WORKBOOK).sheets.size());
}
BENCHMARK(ReadExcelWorkbook)->Unit(benchmark::kMillisecond);

void ReadLargeCsv(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("rows.csv");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int r = 0; r < 50'000; ++r)
        f.write(QByteArray("Bond ") + QByteArray::number(r) + ",4.25,11/15/2040,98.1875\n");
    f.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWorkbook(path).sheets.size());
}
BENCHMARK(ReadLargeCsv)->Unit(benchmark::kMillisecond);

void RequestColumn(benchmark::State& state) {
    WorkbookServer server;
    server.Open(YARROW_EXCEL_WORKBOOK);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            server.Request("[treasury-cmt-history-excel.xlsx]USTREASURY-YIELD", "R3C1:R463C1"));
}
BENCHMARK(RequestColumn)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
