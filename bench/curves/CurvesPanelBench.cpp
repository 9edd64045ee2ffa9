// The curves panel's work for one showing and two presses, on a 400-bond table, offscreen:
// Initialize (the listing prices and yields every bond), the zero curve plot (bootstrap and draw)
// and the cubic spline (replot, monthly grid, draw), then one paint of the picture box.
// The "frames" counter is the time as a share of a 16 ms frame.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_curves

#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/seams/Clipboard.h"
#include "core/seams/Dialogs.h"
#include "curves/ucTCurves.h"
#include "base/AppContext.h"
#include "widgets/PictureBox.h"
#include "widgets/ThrottledEvents.h"

#include <QApplication>
#include <QRadioButton>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

using namespace yarrow;

class QuietDialogs : public Dialogs {
public:
    void Message(const std::string&, const std::string&, MessageIcon) override { ++messages; }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    int messages = 0;
};

class NoClipboard : public Clipboard {
public:
    void Clear() override {}
    void SetText(const std::string&) override {}
    std::optional<std::string> GetText() override { return std::nullopt; }
};

// 400 par bonds a month apart from 12/31/2010, coupons rising from 0.5 % to about 4.5 %.
void LoadTable(Session& session, int n) {
    GridModel grid(n + 2, 6, 1, 1);
    for (int i = 1; i <= n; ++i) {
        const int months = i;
        const int year = 2010 + (12 + months - 1) / 12;
        const int month = (months - 1) % 12 + 1;
        char maturity[16];
        std::snprintf(maturity, sizeof maturity, "%02d/28/%04d", month, year);
        char coupon[16];
        std::snprintf(coupon, sizeof coupon, "%.3f", 0.5 + 4.0 * i / n);
        grid.SetTextMatrix(i + 1, 1, "B" + std::to_string(i));
        grid.SetTextMatrix(i + 1, 2, coupon);
        grid.SetTextMatrix(i + 1, 3, maturity);
        grid.SetTextMatrix(i + 1, 4, "100");
    }
    BuildBondTable(session, grid, "12/31/2010");
}

void BM_InitializeZeroPlotSpline(benchmark::State& state) {
    Session session;
    QuietDialogs dialogs;
    NoClipboard clipboard;
    ThrottledEvents events;
    session.dialogs = &dialogs;
    session.events = &events;
    AppContext app(session, dialogs, clipboard, events);
    LoadTable(session, static_cast<int>(state.range(0)));
    ucTCurves panel(app);
    panel.resize(480, 440);
    panel.show();
    auto* zero = panel.findChild<QRadioButton*>("oCurveType_1");
    zero->setChecked(true);
    double wallSeconds = 0, cpuSeconds = 0;
    for (auto _ : state) {
        const auto wall0 = std::chrono::steady_clock::now();
        const std::clock_t cpu0 = std::clock();
        panel.cmdClear_Click();
        panel.Initialize();
        panel.cmdPlot_Click();
        panel.cmdSpline_Click();
        panel.Picture()->repaint();
        benchmark::DoNotOptimize(panel.Picture()->Plot().Lines().size());
        cpuSeconds += double(std::clock() - cpu0) / CLOCKS_PER_SEC;
        wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    }
    if (dialogs.messages > 0)
        state.SkipWithError("the panel reported an error");
    // Shares of a 16 ms frame per run; on a busy machine the wall share includes waiting for a core.
    const double runs = static_cast<double>(state.iterations());
    state.counters["wall_frames"] = wallSeconds / runs / 0.016;
    state.counters["cpu_frames"] = cpuSeconds / runs / 0.016;
    state.counters["bonds"] = static_cast<double>(session.nBonds);
    state.counters["lines"] = static_cast<double>(panel.Picture()->Plot().Lines().size());
}
BENCHMARK(BM_InitializeZeroPlotSpline)->Arg(400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
