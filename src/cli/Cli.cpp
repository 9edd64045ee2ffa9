#include "Cli.h"

#include "CliContext.h"
#include "Commands.h"
#include "FactorCommands.h"
#include "YarrowVersion.h"
#include "core/text/RuntimeError.h"
#include "core/text/TextEncoding.h"

#include <ostream>

namespace yarrow {

namespace {

const char* const kUsage = R"(Usage: yarrow-cli [input options] COMMAND [command options]

Treasury quotes in, bond analytics out, as the QAL Yarrow grids show them (TAB-separated unless
--format says otherwise).

Input (at most one; default: the bundled H.15 snapshot, quote date 2010-12-31):
  --quotes FILE          rows as pasted into the data grid: name, coupon %, maturity, quote [, yield];
                         TAB-separated, or comma-separated when FILE ends in .csv; '-' reads stdin;
                         a first row whose first field is "Name" is a heading
  --h15 DIR              a folder holding the ten H.15 series files (H15_TCMNOM_M3_2010.txt, ...)
  --workbook FILE --columns NAME,COUPON,MATURITY,QUOTE[,YIELD] --rows FIRST-LAST [--sheet NAME]
                         rows of a workbook (.xlsx, .xlsm, .ods, .csv) read as "Data from Excel"
                         reads them; columns are letters or numbers; the sheet defaults to the
                         first one "Find Excel Sheets" lists
  --history-date DATE    the Treasury curve of that day from the history (bundled: 1962-01-02 to
                         2025-07-11, then the days update-history added): each series' latest
                         rate on or before DATE, series without one in the 30 days before left out
  --date TEXT            quote date (default: today; with series files, the date they give)
  --date-order mdy|dmy   program date format (default: from the locale)
  --bills yes|no         answer to "Is ... a Treasury bill (or time deposit)?" (default: yes)

Commands:
  bonds                  Bond Coupon Maturity Quote BEY Value
  curve ytm|zero|forward [--compounding continuous|daily|monthly|semi-annual|annual]
                         Bond Years and the curve's rate in percent
  analytics              the analytics grid: name, Quantity Value Yield $Duration $Convexity
                         Duration Convexity
  nelson-siegel [--level X --slope X --curve X] [--fit]
                         the parameters ("####.0000"), then Years Model Zero's per bond (decimals)
  spline [--curve ytm|zero|forward] [--compounding ...] [--step daily|weekly|monthly]
         [--left X] [--right X] [--linear]
                         the "Copy Interpolation" table: years TAB rate per grid point
                         (default: cubic spline through the continuous zero curve, monthly, slopes 0)
  cashflows FILE         values the stream of "time, amount" rows (TAB or comma) off the
                         continuous zero curve: Value, Yield, $Duration, $Convexity
  optimize --strategy max-yield|min-convexity [--value X] [--duration X] [--convexity X]
           [--match-cashflows FILE]
                         Bond Quantity: holdings meeting the targets (0.0000 when none exist,
                         with the reason on stderr)
  calc keys KEY...       the keypad: KEY is 0-9 . + - X / = % CE C or paste=TEXT; one line per key,
                         the key TAB the display (a message first, as "TITLE: TEXT")
  calc date-rule [--weekday DAY] [--when before|after] [--reference DAY] [--month MONTH]
                 [--year TEXT]
                         the date of "DAY before|after the third DAY of MONTH YEAR"
                         (default: Saturday after the third Friday of this month)
  calc maturity [--today TEXT] --future DATE|DAYS
                         Future Date (when DAYS were given), then Maturity in years
  calc rate tbill|libor|zero [--today TEXT] --maturity DATE|DAYS --quote TEXT
  calc rate discrete --quote TEXT --frequency N
                         Interest Rate: the continuously compounded rate
  calc pv FILE           present value of "time, yield, amount" rows (TAB or comma) under
                         continuous compounding; a yield of 1 or more is a percentage
  calc log TEXT | calc exp TEXT
                         the natural logarithm or the exponential ("NA" when there is none)
  link --workbook FILE... TOPIC ITEM
                         the raw reply of one spreadsheet-link request, e.g. System Topics,
                         System Selection, "[Book.xlsx]Sheet1" R5C2:R20C2
  plot LAYER... --out FILE.svg|FILE.png [--size WxH]
                         the curves panel's picture: each LAYER drawn in turn over the last, as
                         its button would: ytm, zero, forward (with --compounding), ns (with
                         --level, --slope, --curve or --fit), spline (with --step, --left,
                         --right; through the last curve, or the zero curve), clear. --size is
                         the picture box in pixels (default 640x480); the file adds the bound
                         labels around it
  shock --parallel BP | --shift "YEARS:BP,..." [--holdings FILE]
                         each bond repriced off the continuous zero curve shifted by the shock
                         (linear between knots, flat beyond them; at most 5000 bp either way):
                         Bond Years Shift Value Shocked Change Yield change Duration est.
                         Duration+convexity est. Error D Error D+C (bp: Shift, Yield change), then a
                         Portfolio row of the holdings FILE lists ("Bond TAB Quantity" lines, as
                         optimize prints them)
  plot shock-curve (--parallel BP | --shift TEXT) --out FILE [--size WxH]
                         the zero curve before and after the shock
  plot price-yield --bond NAME [--parallel BP | --shift TEXT] --out FILE [--size WxH]
                         the bond's price against its continuous yield over +/- 300 bp, with the
                         duration tangent, the duration-and-convexity parabola and the shocked yield
  history --from DATE [--to DATE] [--step daily|weekly|monthly]
                         Date (yyyy-mm-dd) and the ten rates 3M .. 30Y in percent, one line per
                         step, empty where a series is absent (daily: every business day of the
                         history; weekly and monthly: counted from --from); --to defaults to
                         the newest day held
  update-history [--source treasury|fred] [--url BASE] [--timeout SECONDS]
                         adds the days after the newest held, from the Treasury's daily par
                         yields (BASE/YEAR/all?...; YARROW_TREASURY_URL) or FRED's eleven series
                         (BASE?id=DGS10; YARROW_FRED_URL), to $XDG_DATA_HOME/yarrow/
                         treasury-cmt-daily.tsv; one line per file and the days added on stderr;
                         SECONDS per request (default 30); needs the Qt build
  spread [--from DATE] [--to DATE] [--step daily|weekly|monthly] [--long 10Y] [--short 3M]
                         Date Long Short Spread in percent: the long series minus the short one
                         (before the short series begins, the shortest series present); the
                         whole history by default
  inversions [--from DATE] [--to DATE] [--long 10Y] [--short 3M] [--min-days N]
                         First Last Days Deepest "Deepest day" "Months to recession": each run
                         of at least N (default 1) business days with a negative daily spread
                         (a day without data does not end one), and the months from its first
                         day to the start of the next US recession (empty when none followed)
  plot spread [--from D] [--to D] [--long 10Y] [--short 3M] --out FILE [--size WxH]
  plot map [--from D] [--to D] [--step daily|weekly|monthly] --out FILE [--size WxH]
  plot film-frame --date D [--curve ytm|zero|forward] [--compounding ...] [--trail N]
                  [--step daily|weekly|monthly] [--from D] [--to D] --out FILE [--size WxH]
                         the lessons' charts (default 1280x720): the spread with inversions and
                         recessions shaded; the history as a heat map (monthly columns unless
                         --step says otherwise); the curve of a day with the N previous steps
                         fading behind it, on axes that hold every rate of --from..--to
  pca [--from DATE] [--to DATE] [--step daily|weekly|monthly] [--series LIST]
                         principal components of the history's changes in percentage points:
                         Observations (the number of changes), Component Explained (percent),
                         then Loadings: Series PC1 PC2 PC3. LIST names series (3M,6M,1Y,2Y,3Y,
                         5Y,7Y,10Y,20Y,30Y; default 3M..10Y); only days with every one count;
                         weekly and monthly take the last such day of each week or month
  dns [--from DATE] [--to DATE] [--step ...] [--series LIST] [--lambda X]
                         dynamic Nelson-Siegel: Date Level Slope Curvature RMSE (percent) of
                         each observation, least squares with lambda per month (default 0.0609)
  plot loadings|dns [pca or dns options] --out FILE.svg|FILE.png [--size WxH]
                         the first three loadings against maturity, or the betas over time

Listing commands (bonds, curve, analytics, nelson-siegel, spline, optimize, shock) also take
  --format tsv|csv|json  TAB-separated (default), comma-separated as spreadsheets read it, or a
                         JSON array of objects keyed by the column headings, cells as text

Options:
  --help                 show this text
  --version              show the version

Exit status: 0 success, 1 bad input or a run-time error, 2 bad usage.
)";

const char* const kOneInput = "give at most one input (--quotes, --h15, --workbook or --history-date)";

const CommandInfo kCommands[] = {
    {"bonds", CmdBonds},         {"curve", CmdCurve},
    {"analytics", CmdAnalytics}, {"nelson-siegel", CmdNelsonSiegel},
    {"spline", CmdSpline},       {"cashflows", CmdCashflows},
    {"optimize", CmdOptimize},   {"calc", CmdCalc},
    {"link", CmdLink},           {"plot", CmdPlot},
    {"history", CmdHistory},     {"shock", CmdShock},
    {"update-history", CmdUpdateHistory},
    {"spread", CmdSpread},       {"inversions", CmdInversions},
    {"pca", CmdPca},             {"dns", CmdDns},
};

const CommandInfo* FindCommand(const std::string& name) {
    for (const CommandInfo& c : kCommands)
        if (name == c.name)
            return &c;
    return nullptr;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    CliContext ctx(in, out, err);
    const CommandInfo* command = nullptr;
    std::vector<std::string> rest;
    try {
        for (size_t k = 0; k < args.size(); ++k) {
            const std::string& a = args[k];
            auto value = [&]() -> std::string {
                if (k + 1 >= args.size())
                    throw UsageError{a + " needs a value"};
                return args[++k];
            };
            if (a == "--help" || a == "-h") {
                out << kUsage;
                return 0;
            }
            if (a == "--version") {
                out << "yarrow-cli " << YARROW_VERSION << "\n";
                return 0;
            }
            if (a == "--quotes" || a == "--h15" || a == "--history-date") {
                if (ctx.quotesFile || ctx.h15Dir || ctx.historyDate || !ctx.workbooks.empty())
                    throw UsageError{kOneInput};
                (a == "--quotes" ? ctx.quotesFile : a == "--h15" ? ctx.h15Dir : ctx.historyDate) = value();
            } else if (a == "--workbook") {
                if (ctx.quotesFile || ctx.h15Dir || ctx.historyDate)
                    throw UsageError{kOneInput};
                ctx.workbooks.push_back(value());
            } else if (a == "--sheet") {
                ctx.sheet = value();
            } else if (a == "--columns") {
                ctx.columns = value();
            } else if (a == "--rows") {
                ctx.rows = value();
            } else if (a == "--date") {
                ctx.dateText = value();
            } else if (a == "--date-order") {
                const std::string v = value();
                if (v == "mdy")
                    ctx.dateOrder = DateOrder::MonthFirst;
                else if (v == "dmy")
                    ctx.dateOrder = DateOrder::DayFirst;
                else
                    throw UsageError{"--date-order takes mdy or dmy, not '" + v + "'"};
            } else if (a == "--bills") {
                const std::string v = value();
                if (v != "yes" && v != "no")
                    throw UsageError{"--bills takes yes or no, not '" + v + "'"};
                ctx.bills = v == "yes";
            } else if (!command && !(a.size() > 1 && a[0] == '-')) {
                command = FindCommand(a);
                if (!command)
                    throw UsageError{"unknown command '" + a + "'"};
            } else if (command) {
                rest.push_back(a);
            } else {
                throw UsageError{"unknown option " + a};
            }
        }
        if (!command)
            throw UsageError{"no command given"};
        if (ctx.workbooks.empty() && (ctx.sheet || ctx.columns || ctx.rows))
            throw UsageError{"--sheet, --columns and --rows go with --workbook"};

        // One line on stderr per failure, in the command line's words; the window's message
        // boxes are kept by the dialogs and said only when the command fails.
        CliDialogs dialogs(ctx.bills);
        try {
            const int code = command->run(ctx, dialogs, rest);
            if (code != 0)
                err << "yarrow-cli: " << dialogs.FailureText() << "\n";
            return code;
        } catch (const RuntimeError& e) {
            err << "yarrow-cli: " << ctx.FailureText(e) << "\n";
            return 1;
        } catch (const ReportedError&) {
            err << "yarrow-cli: " << dialogs.FailureText() << "\n";
            return 1;
        }
    } catch (const UsageError& e) {
        err << "yarrow-cli: " << PrintableText(e.message) << " (try --help)\n";
        return 2;
    } catch (const InputError& e) {
        err << "yarrow-cli: " << PrintableText(e.message) << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "yarrow-cli: " << PrintableText(e.what()) << "\n";
        return 1;
    }
}

} // namespace yarrow
