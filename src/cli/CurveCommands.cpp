#include "Commands.h"
#include "core/analytics/AnalyticsGrid.h"
#include "core/analytics/CashFlowMeasures.h"
#include "core/analytics/PortfolioOptimizer.h"
#include "core/curves/CurvesListing.h"
#include "core/curves/Interpolation.h"
#include "core/curves/NelsonSiegel.h"
#include "core/data/QuoteRows.h"
#include "core/data/TableWarnings.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"

#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace yarrow {

namespace {

// The "time, amount" rows of the file at `path` into the cash-flow grid. Returns the number of
// flows.
int LoadCashFlowFile(const std::string& path, GridModel& grid) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw InputError{"cannot read cash-flow file '" + path + "'"};
    std::ostringstream text;
    text << file.rdbuf();
    int n = 0;
    try {
        n = LoadCashFlowRows(text.str(), grid);
    } catch (const std::invalid_argument& e) {
        throw InputError{e.what()};
    }
    if (n == 0)
        throw InputError{"no cash flows in '" + path + "'"};
    return n;
}

// Opens the analytics panel over the table (listing, continuous zero curve) and values the
// stream in `path`.
CashFlowResult ValueCashFlowFile(CliContext& ctx, const std::string& path, GridModel& bondGrid) {
    GridModel cashFlows(100, 2, 1, 0);
    FillAnalyticsGrid(ctx.session, bondGrid, cashFlows);
    const int n = LoadCashFlowFile(path, cashFlows);
    return CalculateCashFlows(ctx.session, cashFlows, std::to_string(n));
}

} // namespace

int CmdNelsonSiegel(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--level", "--slope", "--curve", "--format"}, {"--fit"});
    if (!opts.Positional().empty())
        throw UsageError{"nelson-siegel takes no arguments"};
    const OutputFormat format = FormatOption(opts);
    ctx.LoadBondTable(dialogs);
    Session& s = ctx.session;
    GridModel grid;
    FillCurvesListing(s, grid);
    CurvesController curves(s);
    const char* names[] = {"--level", "--slope", "--curve"};
    for (size_t i = 0; i < 3; ++i)
        if (const auto text = opts.Value(names[i]))
            curves.nelsonSiegelTexts[i] = *text;
    NelsonSiegelParameters p = curves.NelsonSiegel();
    ComputeCurve(s, grid, CurveType::Zero, -1);
    ctx.Warn(CurveWarnings(s));
    if (opts.Flag("--fit")) {
        ctx.Warn(NelsonSiegelFitWarnings(s));
        p = curves.Fit();
    }
    const std::vector<std::string> parameters{FormatNelsonSiegelParameter(p.level),
                                              FormatNelsonSiegelParameter(p.slope),
                                              FormatNelsonSiegelParameter(p.curve)};
    Array1<float> model = curves.Model(p);
    TableRows rows{{"Years", "Model", "Zero's"}};
    for (int i = 1; i <= s.nBonds; ++i)
        rows.push_back({FormatPattern(s.ZeroTimes(i), "####0.0000"), FormatPattern(model(i), "####0.0000"),
                        FormatPattern(s.ZeroYields(i), "####0.0000")});
    if (format == OutputFormat::Json) {
        // The parameter boxes and the table under one object.
        ctx.out << "{\"Parameters\": " << JsonObject({"Level", "Slope", "Curvature"}, parameters)
                << ",\n\"Rows\": ";
        WriteTable(ctx.out, format, rows);
        ctx.out << "}\n";
    } else {
        WriteTable(ctx.out, format, {parameters});
        WriteTable(ctx.out, format, rows);
    }
    return 0;
}

int CmdSpline(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--curve", "--compounding", "--step", "--left", "--right", "--format"},
                        {"--linear"});
    if (!opts.Positional().empty())
        throw UsageError{"spline takes no arguments"};
    const OutputFormat format = FormatOption(opts);
    const CurveType type = CurveOption(opts.Value("--curve").value_or("zero"));
    const int16_t freq = CompoundingOption(opts.Value("--compounding").value_or("continuous"));
    const float step = InterpolationStep(StepOption(opts.Value("--step").value_or("monthly")));
    const float left = EndSlope(opts.Value("--left").value_or("0"));
    const float right = EndSlope(opts.Value("--right").value_or("0"));

    ctx.LoadBondTable(dialogs);
    GridModel grid;
    FillCurvesListing(ctx.session, grid);
    ComputeCurve(ctx.session, grid, type, freq);
    ctx.Warn(CurveWarnings(ctx.session));
    InterpolationGrid points;
    if (opts.Flag("--linear"))
        LinearInterpolation(ctx.session, step, points);
    else
        SplineInterpolation(ctx.session, step, left, right, points);
    if (format != OutputFormat::Tsv) {
        // The copied text has no heading row; the other formats name the two columns.
        TableRows rows{{"Years", "Rate"}};
        for (int i = 1; i <= points.NumInterp; ++i)
            rows.push_back({FormatPattern(points.InterpX(i), "####0.0000"),
                            FormatPattern(points.InterpY(i), "####0.0000")});
        WriteTable(ctx.out, format, rows);
        return 0;
    }
    std::string text = InterpolationCopyText(points);
    // The clipboard text ends each line with a CR; a terminal wants LF.
    for (char& ch : text)
        if (ch == '\r')
            ch = '\n';
    ctx.out << text;
    return 0;
}

int CmdCashflows(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {}, {});
    if (opts.Positional().size() != 1)
        throw UsageError{"cashflows takes one FILE of 'time, amount' rows"};
    ctx.LoadBondTable(dialogs);
    GridModel bondGrid;
    const CashFlowResult r = ValueCashFlowFile(ctx, opts.Positional()[0], bondGrid);
    for (const std::string& caption : CashFlowCaptions(r))
        ctx.out << caption << '\n';
    return 0;
}

int CmdOptimize(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(
        args, {"--strategy", "--value", "--duration", "--convexity", "--match-cashflows", "--format"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"optimize takes no arguments"};
    const std::string strategyName = opts.Value("--strategy").value_or("");
    Strategy strategy;
    if (strategyName == "max-yield")
        strategy = Strategy::MaxYield;
    else if (strategyName == "min-convexity")
        strategy = Strategy::MinConvexity;
    else
        throw UsageError{"--strategy takes max-yield or min-convexity"};
    const OutputFormat format = FormatOption(opts);
    PortfolioTargets targets{opts.Number("--value", 0.0f), opts.Number("--duration", 0.0f),
                             opts.Number("--convexity", 0.0f)};
    const auto match = opts.Value("--match-cashflows");
    if (match && (opts.Value("--value") || opts.Value("--duration") || opts.Value("--convexity")))
        throw UsageError{"--match-cashflows takes the targets from the stream; give no other target"};

    ctx.LoadBondTable(dialogs);
    GridModel bondGrid;
    if (match) {
        const CashFlowResult r = ValueCashFlowFile(ctx, *match, bondGrid);
        targets = {r.cfValue, r.cfDollarDuration, r.cfDollarConvexity};
    } else {
        GridModel cashFlows(100, 2, 1, 0);
        FillAnalyticsGrid(ctx.session, bondGrid, cashFlows);
    }
    const PortfolioSolution solution = SolvePortfolio(ctx.session, strategy, targets);
    WriteQuantities(solution, ctx.session.nBonds, bondGrid);
    // Zeros alone cannot tell "no holdings exist" from a failed solve.
    if (solution.status != 0 || !solution.leftOut.empty())
        ctx.err << SolveStatusText(ctx.session, solution) << '\n';
    TableRows rows{{"Bond", "Quantity"}};
    for (int i = 1; i <= ctx.session.nBonds; ++i)
        rows.push_back({bondGrid.TextMatrix(i, 0), bondGrid.TextMatrix(i, 1)});
    WriteTable(ctx.out, format, rows);
    return 0;
}

} // namespace yarrow
