#include "Commands.h"
#include "core/analytics/AnalyticsGrid.h"
#include "core/curves/CurvesListing.h"
#include "core/data/TableWarnings.h"
#include "core/text/NumberText.h"

#include <ostream>

namespace yarrow {

int16_t CompoundingFromName(const std::string& name) {
    static const std::pair<const char*, int16_t> names[] = {
        {"continuous", -1}, {"daily", 365}, {"monthly", 12}, {"semi-annual", 2}, {"annual", 1}};
    for (const auto& [text, freq] : names)
        if (name == text)
            return freq;
    throw UsageError{"--compounding takes continuous, daily, monthly, semi-annual or annual, not '" + name +
                     "'"};
}

CurveType CurveFromName(const std::string& name) {
    if (name == "ytm")
        return CurveType::YieldToMaturity;
    if (name == "zero")
        return CurveType::Zero;
    if (name == "forward")
        return CurveType::Forward;
    throw UsageError{"the curve is one of ytm, zero, forward, not '" + name + "'"};
}

int CmdBonds(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {}, {});
    if (!opts.Positional().empty())
        throw UsageError{"bonds takes no arguments"};
    ctx.LoadBondTable(dialogs);
    GridModel grid;
    FillCurvesListing(ctx.session, grid);
    for (int r = 0; r < grid.Rows(); ++r) {
        std::vector<std::string> cells;
        for (int c = 1; c <= 6; ++c)
            cells.push_back(grid.TextMatrix(r, c));
        WriteRow(ctx.out, cells);
    }
    return 0;
}

int CmdCurve(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--compounding"}, {});
    if (opts.Positional().size() != 1)
        throw UsageError{"curve takes one of ytm, zero, forward"};
    const CurveType type = CurveFromName(opts.Positional()[0]);
    const int16_t freq = CompoundingFromName(opts.Value("--compounding").value_or("continuous"));

    ctx.LoadBondTable(dialogs);
    GridModel grid;
    FillCurvesListing(ctx.session, grid);
    ComputeCurve(ctx.session, grid, type, freq);
    ctx.Warn(CurveWarnings(ctx.session));
    WriteRow(ctx.out, {"Bond", "Years", grid.TextMatrix(0, 7)});
    for (int i = 1; i <= ctx.session.nBonds; ++i)
        WriteRow(ctx.out, {grid.TextMatrix(i, 1), FormatPattern(ctx.session.ZeroTimes(i), "####0.0000"),
                           grid.TextMatrix(i, 7)});
    return 0;
}

int CmdAnalytics(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {}, {});
    if (!opts.Positional().empty())
        throw UsageError{"analytics takes no arguments"};
    ctx.LoadBondTable(dialogs);
    GridModel grid;
    GridModel cashFlows(100, 2, 1, 0);
    FillAnalyticsGrid(ctx.session, grid, cashFlows);
    for (int r = 0; r < grid.Rows(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < grid.Cols(); ++c)
            cells.push_back(grid.TextMatrix(r, c));
        WriteRow(ctx.out, cells);
    }
    return 0;
}

} // namespace yarrow
