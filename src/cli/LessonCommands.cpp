#include "Commands.h"
#include "core/draw/ChartRender.h"
#include "core/lessons/CurveFilm.h"
#include "core/lessons/LessonCharts.h"
#include "core/lessons/LessonData.h"
#include "core/lessons/Spread.h"

#include <cstdio>
#include <optional>
#include <ostream>

#ifdef YARROW_CLI_IO
#include "io/plot/ChartPainterQt.h"
#endif

namespace yarrow {

namespace {

std::vector<Recession> Recessions() {
    try {
        return LoadRecessions();
    } catch (const RecessionsError& e) {
        throw InputError{e.what()};
    }
}

int SeriesOption(const CommandOptions& opts, const char* name, const char* fallback) {
    const std::string text = opts.Value(name).value_or(fallback);
    const std::optional<int> s = SeriesOfLabel(text);
    if (!s)
        throw UsageError{std::string(name) + " takes 3M, 6M, 1Y, 2Y, 3Y, 5Y, 7Y, 10Y, 20Y or 30Y, not '" + text + "'"};
    return *s;
}

// The shared step names (daily, weekly, monthly) in the order of SpreadStep.
SpreadStep SpreadStepOption(const CommandOptions& opts, const char* fallback) {
    return static_cast<SpreadStep>(StepOption(opts.Value("--step").value_or(fallback)));
}

// --from and --to, defaulting to the whole history.
SpreadRequest Span(CliContext& ctx, const CommandOptions& opts, const CmtHistory& history) {
    SpreadRequest r;
    r.from = opts.Value("--from") ? ctx.ReadDate("--from", *opts.Value("--from")) : history.First();
    r.to = opts.Value("--to") ? ctx.ReadDate("--to", *opts.Value("--to")) : history.Last();
    if (r.to < r.from)
        throw InputError{"--to is before --from"};
    return r;
}

SpreadRequest SpreadOptions(CliContext& ctx, const CommandOptions& opts, const CmtHistory& history) {
    SpreadRequest r = Span(ctx, opts, history);
    r.longSeries = SeriesOption(opts, "--long", "10Y");
    r.shortSeries = SeriesOption(opts, "--short", "3M");
    if (r.shortSeries >= r.longSeries)
        throw UsageError{"--short must be a shorter series than --long"};
    return r;
}

std::string Percent(int hundredths) {
    return HundredthsText(static_cast<int16_t>(hundredths));
}

std::string Iso(Date d) {
    return FormatDate(d, "yyyy-mm-dd");
}

void WriteChart(const Chart& chart, PlotSize size, const std::string& path) {
#ifdef YARROW_CLI_IO
    const auto png = [&](const std::string& file, std::string& error) {
        QString why;
        const bool saved = SaveChart(chart, size.width, size.height, QString::fromStdString(file), &why);
        error = why.toStdString();
        return saved;
    };
#else
    const PngWriter png;
#endif
    WritePictureFile(path, [&] { return ChartSvg(chart, size.width, size.height); }, png);
}

} // namespace

int CmdSpread(CliContext& ctx, CliDialogs&, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--from", "--to", "--step", "--long", "--short"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"spread takes no arguments"};
    const CmtHistory history = LoadCmtHistory();
    SpreadRequest r = SpreadOptions(ctx, opts, history);
    r.step = SpreadStepOption(opts, "daily");
    WriteRow(ctx.out, {"Date", SeriesLabel(r.longSeries), SeriesLabel(r.shortSeries), "Spread"});
    for (const SpreadPoint& p : SpreadSeries(history, r))
        WriteRow(ctx.out, {Iso(p.date), Percent(p.longRate), Percent(p.shortRate), Percent(p.Spread())});
    return 0;
}

int CmdInversions(CliContext& ctx, CliDialogs&, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--from", "--to", "--long", "--short", "--min-days"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"inversions takes no arguments"};
    const std::string minText = opts.Value("--min-days").value_or("1");
    int minDays = 0;
    char extra = 0;
    if (std::sscanf(minText.c_str(), "%d%c", &minDays, &extra) != 1 || minDays < 1 || minDays > 100000)
        throw UsageError{"--min-days takes a whole number of business days from 1, not '" + minText + "'"};
    const CmtHistory history = LoadCmtHistory();
    const SpreadRequest r = SpreadOptions(ctx, opts, history);
    WriteRow(ctx.out, {"First", "Last", "Days", "Deepest", "Deepest day", "Months to recession"});
    for (const Inversion& i : FindInversions(SpreadSeries(history, r), Recessions(), minDays))
        WriteRow(ctx.out, {Iso(i.first), Iso(i.last), std::to_string(i.businessDays), Percent(i.deepest),
                           Iso(i.deepestDay), i.monthsToRecession ? std::to_string(*i.monthsToRecession) : ""});
    return 0;
}

std::optional<int> PlotLesson(CliContext& ctx, const std::vector<std::string>& args) {
    // The first word that is not an option or its value names the picture.
    std::string kind;
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--fit")
            continue;
        if (args[k].rfind("--", 0) == 0) {
            ++k;
            continue;
        }
        kind = args[k];
        break;
    }
    if (kind != "spread" && kind != "map" && kind != "film-frame")
        return std::nullopt;
    CommandOptions opts(args, {"--out", "--size", "--from", "--to", "--long", "--short", "--step", "--date",
                               "--curve", "--compounding", "--trail"},
                        {});
    if (opts.Positional().size() != 1)
        throw UsageError{"plot " + kind + " is drawn alone"};
    const std::optional<std::string> out = opts.Value("--out");
    if (!out)
        throw UsageError{"plot needs --out FILE.svg or FILE.png"};
    const PlotSize size = PlotSizeOption(opts, *out, {1280, 720});
    const CmtHistory history = LoadCmtHistory();
    Chart chart;
    if (kind == "spread") {
        const SpreadRequest r = SpreadOptions(ctx, opts, history);
        const std::vector<SpreadPoint> daily = SpreadSeries(history, r);
        const std::vector<Recession> recessions = Recessions();
        chart = SpreadChart(r, daily, FindInversions(daily, recessions), recessions);
    } else if (kind == "map") {
        const SpreadRequest r = Span(ctx, opts, history);
        // Monthly columns by default: a whole-history SVG stays a few megabytes.
        chart = CurveMapChart(history, r.from, r.to, SpreadStepOption(opts, "monthly"));
    } else {
        // --date is read with the input options wherever it stands on the line.
        const std::optional<std::string> dateText = opts.Value("--date") ? opts.Value("--date") : ctx.dateText;
        if (!dateText)
            throw UsageError{"plot film-frame needs --date DATE"};
        const Date date = ctx.ReadDate("--date", *dateText);
        const std::string curve = opts.Value("--curve").value_or("ytm");
        const CurveType type = CurveOption(curve);
        const int16_t freq = CompoundingOption(opts.Value("--compounding").value_or("continuous"));
        const std::string trailText = opts.Value("--trail").value_or("0");
        int trail = 0;
        char extra = 0;
        if (std::sscanf(trailText.c_str(), "%d%c", &trail, &extra) != 1 || trail < 0 || trail > 500)
            throw UsageError{"--trail takes 0 to 500 steps, not '" + trailText + "'"};
        const SpreadStep step = SpreadStepOption(opts, "monthly");
        const SpreadRequest span = Span(ctx, opts, history);
        const FilmCurve current = FilmCurveOf(history, date, type, freq);
        if (current.Empty())
            throw InputError{"--date: no Treasury curve on or up to 30 days before " + Iso(date)};
        // The trail: the dates of the previous steps, counted back from the frame's date.
        std::vector<FilmCurve> behind;
        const size_t today = history.IndexOnOrBefore(date);
        for (int n = trail; n >= 1; --n) {
            if (step == SpreadStep::kDaily && today < static_cast<size_t>(n))
                continue;
            const Date d = step == SpreadStep::kDaily    ? history.DayAt(today - static_cast<size_t>(n))
                           : step == SpreadStep::kWeekly ? date - std::chrono::days(7 * n)
                                                         : AddMonths(date, -n);
            FilmCurve c = FilmCurveOf(history, d, type, freq);
            if (!c.Empty())
                behind.push_back(std::move(c));
        }
        chart = FilmFrameChart(current, behind, FilmAxes(history, std::min(span.from, date), std::max(span.to, date)),
                               type);
    }
    WriteChart(chart, size, *out);
    return 0;
}

} // namespace yarrow
