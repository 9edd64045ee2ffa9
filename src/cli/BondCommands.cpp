#include "Commands.h"
#include "TableOutput.h"
#include "core/analytics/AnalyticsGrid.h"
#include "core/curves/CurvesListing.h"
#include "core/data/TableWarnings.h"
#include "core/text/NumberText.h"

#include <ostream>

namespace yarrow {

int16_t CompoundingOption(const std::string& name) {
    if (const auto freq = CompoundingFromName(name))
        return *freq;
    throw UsageError{"--compounding takes " + NameList(kCompoundings) + ", not '" + name + "'"};
}

OutputFormat FormatOption(const CommandOptions& opts) {
    return OutputFormatFromName(opts.Value("--format").value_or("tsv"));
}

CurveType CurveOption(const std::string& name) {
    if (const auto type = CurveFromName(name))
        return *type;
    throw UsageError{"the curve is one of " + NameList(kCurves, ", ") + ", not '" + name + "'"};
}

int StepOption(const std::string& name) {
    if (const auto index = StepIndexFromName(name))
        return *index;
    throw UsageError{"--step takes " + NameList(kSteps) + ", not '" + name + "'"};
}

int CmdBonds(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--format"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"bonds takes no arguments"};
    const OutputFormat format = FormatOption(opts);
    ctx.LoadBondTable(dialogs);
    GridModel grid;
    FillCurvesListing(ctx.session, grid);
    WriteTable(ctx.out, format, GridRows(grid, 1, 6));
    return 0;
}

int CmdCurve(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--compounding", "--format"}, {});
    if (opts.Positional().size() != 1)
        throw UsageError{"curve takes one of ytm, zero, forward"};
    const CurveType type = CurveOption(opts.Positional()[0]);
    const int16_t freq = CompoundingOption(opts.Value("--compounding").value_or("continuous"));
    const OutputFormat format = FormatOption(opts);

    ctx.LoadBondTable(dialogs);
    GridModel grid;
    FillCurvesListing(ctx.session, grid);
    ComputeCurve(ctx.session, grid, type, freq);
    ctx.Warn(CurveWarnings(ctx.session));
    TableRows rows{{"Bond", "Years", grid.TextMatrix(0, 7)}};
    for (int i = 1; i <= ctx.session.nBonds; ++i)
        rows.push_back({grid.TextMatrix(i, 1), FormatPattern(ctx.session.ZeroTimes(i), "####0.0000"),
                        grid.TextMatrix(i, 7)});
    WriteTable(ctx.out, format, rows);
    return 0;
}

int CmdAnalytics(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--format"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"analytics takes no arguments"};
    const OutputFormat format = FormatOption(opts);
    ctx.LoadBondTable(dialogs);
    GridModel grid;
    GridModel cashFlows(100, 2, 1, 0);
    const std::string note = NoYieldNote(ctx.session, FillAnalyticsGrid(ctx.session, grid, cashFlows));
    if (!note.empty())
        ctx.err << note << '\n';
    TableRows rows = GridRows(grid, 0, grid.Cols() - 1);
    // The grid leaves the name column's heading blank; a JSON key needs a name.
    if (format == OutputFormat::Json && rows[0][0].empty())
        rows[0][0] = "Bond";
    WriteTable(ctx.out, format, rows);
    return 0;
}

} // namespace yarrow
