#include "Commands.h"
#include "TableOutput.h"
#include "core/draw/DisplayList.h"
#include "core/lessons/RateShock.h"
#include "core/lessons/ShockPlots.h"
#include "core/lessons/ShockRepricing.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace yarrow {

namespace {

constexpr size_t kMaxHoldingsBytes = 1 << 20;

// The shock of --parallel BP or --shift "YEARS:BP,...": text that does not read is a usage
// fault, a shock that reads but is refused is bad input.
ShockKnots ShockOption(const CommandOptions& opts, bool required) {
    const auto parallel = opts.Value("--parallel");
    const auto shift = opts.Value("--shift");
    if (parallel && shift)
        throw UsageError{"give --parallel BP or --shift \"YEARS:BP,...\", not both"};
    try {
        if (parallel) {
            double bp = 0;
            if (!ReadPlainNumber(*parallel, bp))
                throw UsageError{"--parallel takes a number of basis points, not '" + *parallel + "'"};
            ShockKnots knots = PresetShock(ShockPreset::Parallel, bp);
            CheckShock(knots);
            return knots;
        }
        if (shift)
            return ParseShockKnots(*shift);
    } catch (const ShockSyntaxError& e) {
        throw UsageError{std::string("--shift: ") + e.what()};
    } catch (const ShockInputError& e) {
        throw InputError{e.what()};
    }
    if (required)
        throw UsageError{"give the shock as --parallel BP or --shift \"YEARS:BP,...\""};
    return {};
}

std::vector<Holding> HoldingsFile(CliContext& ctx, const std::string& path) {
    const std::optional<std::string> text = ctx.ReadInput(path);
    if (!text)
        throw InputError{"cannot read holdings file '" + path + "'"};
    if (text->size() > kMaxHoldingsBytes)
        throw InputError{"holdings file '" + path + "' is larger than 1 MiB"};
    try {
        return ParseHoldings(*text);
    } catch (const ShockInputError& e) {
        throw InputError{"holdings file '" + path + "': " + e.what()};
    }
}

// The table's bonds on its continuous zero curve, ready for any shock.
std::vector<CurveBond> PreparedTable(CliContext& ctx, CliDialogs& dialogs,
                                     ZeroCurveKnots* curveOut = nullptr) {
    ctx.LoadBondTable(dialogs);
    const ZeroCurveKnots curve = ShockBaseCurve(ctx.session);
    if (curveOut)
        *curveOut = curve;
    return PrepareTable(TableFlows(ctx.session), curve);
}

} // namespace

int CmdShock(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--parallel", "--shift", "--holdings", "--format"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"shock takes no arguments"};
    const OutputFormat format = FormatOption(opts);
    const ShockKnots shock = ShockOption(opts, true);
    const auto holdingsPath = opts.Value("--holdings");
    const std::vector<Holding> holdings =
        holdingsPath ? HoldingsFile(ctx, *holdingsPath) : std::vector<Holding>{};

    const std::vector<ShockRow> rows = ShockTable(PreparedTable(ctx, dialogs), shock);
    TableRows table{ShockTableHeading()};
    for (const ShockRow& r : rows)
        table.push_back(ShockTableCells(r));
    if (holdingsPath) {
        try {
            table.push_back(ShockTableCells(PortfolioRow(rows, QuantitiesForRows(rows, holdings)), true));
        } catch (const ShockInputError& e) {
            throw InputError{"holdings file '" + *holdingsPath + "': " + e.what()};
        }
    }
    WriteTable(ctx.out, format, table);
    return 0;
}

int CmdPlotShock(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--parallel", "--shift", "--bond", "--out", "--size"}, {});
    if (opts.Positional().size() != 1)
        throw UsageError{"plot shock-curve and plot price-yield draw one picture alone"};
    const std::string kind = opts.Positional()[0];
    const std::optional<std::string> out = opts.Value("--out");
    if (!out)
        throw UsageError{"plot needs --out FILE.svg or FILE.png"};
    const PlotSize size = PlotSizeOption(opts, *out);
    const auto bondName = opts.Value("--bond");
    if (kind == "shock-curve" && bondName)
        throw UsageError{"plot shock-curve takes no --bond"};
    if (kind == "price-yield" && !bondName)
        throw UsageError{"plot price-yield needs --bond NAME"};
    const ShockKnots shock = ShockOption(opts, kind == "shock-curve");

    ZeroCurveKnots curve;
    const std::vector<CurveBond> bonds = PreparedTable(ctx, dialogs, &curve);
    DisplayList picture;
    if (kind == "shock-curve") {
        DrawShockCurve(picture, curve, shock);
    } else {
        const auto it = std::find_if(bonds.begin(), bonds.end(),
                                     [&](const CurveBond& b) { return b.flows.name == *bondName; });
        if (it == bonds.end())
            throw InputError{"no bond named '" + *bondName + "' in the table"};
        if (!std::isfinite(it->y0))
            throw InputError{"no continuous yield fits the price of '" + *bondName + "'"};
        DrawPriceYield(picture, *it, ShockBond(*it, shock));
    }
    WritePlotFile(picture, size, *out);
    return 0;
}

} // namespace yarrow
