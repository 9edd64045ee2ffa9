// A frame of the curve film and the whole-history map, built and rendered at 1920x1080 through
// the painter the chart window uses (a 60 frames a second film leaves 16.7 ms a frame).

#include "core/lessons/CurveFilm.h"
#include "core/lessons/LessonCharts.h"
#include "io/plot/ChartPainterQt.h"

#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace yarrow;

namespace {

const CmtHistory& History() {
    static const CmtHistory h = CmtHistory::FromFile(YARROW_HISTORY_TEXT);
    return h;
}

// Renders into one reused image, as the widget repaints its own surface (the chart fills its
// ground itself).
void Render(const Chart& chart, QImage& image) {
    QPainter painter(&image);
    ChartPainterQt back(painter);
    RenderChart(chart, back, image.width(), image.height(), ChartTheme::Light());
}

// One frame: the day's bond table built and its zero curve computed, the eight previous weeks'
// curves (cached in the window, reused here) behind it, drawn at 1920x1080.
void BM_FilmFrame(benchmark::State& state) {
    const CmtHistory& h = History();
    const std::vector<Date> dates = FilmDates(h, MakeDate(1979, 1, 2), MakeDate(1982, 12, 31), SpreadStep::kWeekly);
    const ChartRange axes = FilmAxes(h, dates.front(), dates.back());
    std::vector<FilmCurve> trail;
    for (size_t k = 0; k < 8; ++k)
        trail.push_back(FilmCurveOf(h, dates[k], CurveType::Zero));
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    size_t k = 8;
    for (auto _ : state) {
        const FilmCurve now = FilmCurveOf(h, dates[k], CurveType::Zero);
        Render(FilmFrameChart(now, trail, axes, CurveType::Zero), image);
        benchmark::DoNotOptimize(image.constBits());
        k = k + 1 < dates.size() ? k + 1 : 8;
    }
}
BENCHMARK(BM_FilmFrame)->Unit(benchmark::kMillisecond);

// The table and curve of a day alone (what a frame computes before drawing).
void BM_FilmCurveOnly(benchmark::State& state) {
    const CmtHistory& h = History();
    for (auto _ : state)
        benchmark::DoNotOptimize(FilmCurveOf(h, MakeDate(1981, 6, 30), CurveType::Zero).points.size());
}
BENCHMARK(BM_FilmCurveOnly)->Unit(benchmark::kMicrosecond);

// The whole history, one column a business day, built and drawn at 1920x1080.
void BM_WholeHistoryMap(benchmark::State& state) {
    const CmtHistory& h = History();
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        Render(CurveMapChart(h, h.First(), h.Last(), SpreadStep::kDaily), image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_WholeHistoryMap)->Unit(benchmark::kMillisecond);

// Drawing only, the map's chart already built (a repaint after a resize or a zoom).
void BM_WholeHistoryMapRepaint(benchmark::State& state) {
    const CmtHistory& h = History();
    const Chart map = CurveMapChart(h, h.First(), h.Last(), SpreadStep::kDaily);
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        Render(map, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_WholeHistoryMapRepaint)->Unit(benchmark::kMillisecond);

// The floor of any full-HD repaint: filling the ground alone, for scale.
void BM_GroundOnly(benchmark::State& state) {
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_GroundOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Text needs the fonts of a GUI application; nothing is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
