#include "FactorCommands.h"
#include "Commands.h"

#include "core/draw/DisplayList.h"
#include "core/lessons/Factors.h"
#include "core/lessons/FactorsPlot.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>

namespace yarrow {

namespace {

const std::vector<std::string> kSpanOptions = {"--from", "--to", "--step", "--series"};

// The shared step names (daily, weekly, monthly) in the order of FactorStep.
FactorStep StepFromName(const std::string& name) {
    return static_cast<FactorStep>(StepOption(name));
}

// The whole text must be a number: "0.06x" is refused rather than read as 0.06.
double LambdaOption(const CommandOptions& opts) {
    const auto text = opts.Value("--lambda");
    if (!text)
        return kDieboldLiLambda;
    char* end = nullptr;
    const double v = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0' || !(v > 0))
        throw InputError{"--lambda takes a positive number, not '" + *text + "'"};
    return v;
}

// The observations of --from .. --to (default: the whole history) at --step for --series.
FactorObservations Observations(const CliContext& ctx, const CommandOptions& opts) {
    FactorSpan span;
    span.step = StepFromName(opts.Value("--step").value_or("daily"));
    try {
        if (const auto list = opts.Value("--series"))
            span.series = ParseFactorSeries(*list);
    } catch (const FactorsError& e) {
        throw InputError{std::string("--series: ") + e.what()};
    }
    const CmtHistory history = LoadCmtHistory();
    const auto from = opts.Value("--from");
    const auto to = opts.Value("--to");
    span.from = from ? ctx.ReadDate("--from", *from) : history.First();
    span.to = to ? ctx.ReadDate("--to", *to) : history.Last();
    if (span.to < span.from)
        throw InputError{"--to is before --from"};
    return SelectFactorObservations(history, span);
}

std::vector<std::string> With(std::vector<std::string> list, const std::vector<std::string>& more) {
    list.insert(list.end(), more.begin(), more.end());
    return list;
}

void NoArguments(const CommandOptions& opts, const char* command) {
    if (!opts.Positional().empty())
        throw UsageError{std::string(command) + " takes no arguments"};
}

} // namespace

int CmdPca(CliContext& ctx, CliDialogs& /*dialogs*/, const std::vector<std::string>& args) {
    const CommandOptions opts(args, kSpanOptions, {});
    NoArguments(opts, "pca");
    const PcaResult pca = PrincipalComponents(Observations(ctx, opts));
    WriteRow(ctx.out, {"Observations", std::to_string(pca.changes)});
    WriteRow(ctx.out, {"Component", "Explained"});
    for (int c = 0; c < kFactorComponents; ++c)
        WriteRow(ctx.out, {"PC" + std::to_string(c + 1), FormatFixed(100 * pca.explained[static_cast<size_t>(c)], 4)});
    WriteRow(ctx.out, {"Loadings"});
    WriteRow(ctx.out, {"Series", "PC1", "PC2", "PC3"});
    for (size_t s = 0; s < pca.series.size(); ++s) {
        std::vector<std::string> row = {FactorSeriesLabel(pca.series[s])};
        for (size_t c = 0; c < static_cast<size_t>(kFactorComponents); ++c)
            row.push_back(FormatFixed(pca.loadings[c][s], 6));
        WriteRow(ctx.out, row);
    }
    return 0;
}

int CmdDns(CliContext& ctx, CliDialogs& /*dialogs*/, const std::vector<std::string>& args) {
    const CommandOptions opts(args, With(kSpanOptions, {"--lambda"}), {});
    NoArguments(opts, "dns");
    const double lambda = LambdaOption(opts);
    const std::vector<DnsRow> rows = DynamicNelsonSiegel(Observations(ctx, opts), lambda);
    WriteRow(ctx.out, {"Date", "Level", "Slope", "Curvature", "RMSE"});
    for (const DnsRow& r : rows)
        WriteRow(ctx.out, {FormatDate(r.date, "yyyy-mm-dd"), FormatFixed(r.level, 6), FormatFixed(r.slope, 6),
                           FormatFixed(r.curvature, 6), FormatFixed(r.rmse, 6)});
    return 0;
}

bool IsFactorPlot(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "loadings" || a == "dns"; });
}

std::vector<std::string> FactorPlotOptions() {
    return With(kSpanOptions, {"--lambda"});
}

DisplayList FactorPlot(const CliContext& ctx, const CommandOptions& opts) {
    const std::vector<std::string>& what = opts.Positional();
    if (what.size() != 1)
        throw UsageError{"plot takes one of loadings or dns, alone"};
    DisplayList picture;
    if (what[0] == "loadings") {
        if (opts.Value("--lambda"))
            throw UsageError{"--lambda goes with plot dns"};
        DrawFactorLoadings(PrincipalComponents(Observations(ctx, opts)), picture);
    } else {
        const double lambda = LambdaOption(opts);
        DrawDnsBetas(DynamicNelsonSiegel(Observations(ctx, opts), lambda), picture);
    }
    return picture;
}

} // namespace yarrow
