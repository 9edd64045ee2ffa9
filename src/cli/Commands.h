#pragma once

#include "CliContext.h"
#include "TableOutput.h"
#include "core/curves/CurvesController.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace yarrow {

// One yarrow-cli command: its arguments are what follows the command name, input options removed.
using CommandFn = int (*)(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);

struct CommandInfo {
    const char* name;
    CommandFn run;
};

// The bond listing, the curves and the analytics grid.
int CmdBonds(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
int CmdCurve(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
int CmdAnalytics(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);

// Compounding name of the command line ("continuous", "daily", ...) as a frequency; UsageError
// for anything else.
int16_t CompoundingOption(const std::string& name);
// "ytm", "zero" or "forward"; UsageError for anything else.
CurveType CurveOption(const std::string& name);
// The interpolation grid of a --step name (daily 0, weekly 1, monthly 2); UsageError otherwise.
int StepOption(const std::string& name);
// The listing commands' --format (default tsv).
OutputFormat FormatOption(const CommandOptions& opts);

} // namespace yarrow

namespace yarrow {

class DisplayList;

// The Nelson-Siegel model and fit, the interpolation table, cash-flow streams and portfolios.
int CmdNelsonSiegel(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
int CmdSpline(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
int CmdCashflows(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
int CmdOptimize(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
// The raw reply of one spreadsheet-link request to the given workbooks.
int CmdLink(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
// The curves panel's picture, drawn layer by layer into an SVG or PNG file.
int CmdPlot(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
// Rate shocks: the repriced table, and its two pictures (plot shock-curve, plot price-yield).
int CmdShock(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
int CmdPlotShock(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
inline bool IsShockPicture(const std::string& name) {
    return name == "shock-curve" || name == "price-yield";
}
// The picture size of plot's --size (default 640x480), after checking that --out is .svg or .png.
struct PlotSize {
    int width = 640;
    int height = 480;
};
PlotSize PlotSizeOption(const CommandOptions& opts, const std::string& out, PlotSize fallback = {});
// Paints the PNG file at path (a GUI application is at hand); false with the reason in error.
using PngWriter = std::function<bool(const std::string& path, std::string& error)>;
// Writes the picture by the file's ending: svg() through a temporary file and a rename, or png
// (the Qt build only). InputError naming the file when it cannot be written.
void WritePictureFile(const std::string& path, const std::function<std::string()>& svg, const PngWriter& png);
// Writes the picture as SVG or PNG (by the file's ending); InputError when it cannot be written.
void WritePlotFile(const DisplayList& plot, PlotSize size, const std::string& path);
// Rates of the bundled Treasury history, one line per step of a date range.
int CmdHistory(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
// Adds the days after the newest held from the Treasury or FRED to the user's history file.
int CmdUpdateHistory(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
// The spread of two history series per step, and its inversions with the recession after each.
int CmdSpread(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
int CmdInversions(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
// plot spread|map|film-frame: the lessons' charts; nullopt when the arguments ask for another plot.
std::optional<int> PlotLesson(CliContext& ctx, const std::vector<std::string>& args);

} // namespace yarrow

namespace yarrow {

// The calculators: keypad, date rule, maturity, rate quotes, present value, logs.
int CmdCalc(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);

} // namespace yarrow
