#pragma once

#include "CliContext.h"

#include <string>
#include <vector>

namespace yarrow {

class DisplayList;

// Principal components of the Treasury history's changes and the dynamic Nelson-Siegel betas.
int CmdPca(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);
int CmdDns(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args);

// `plot loadings|dns`: whether the plot arguments ask for a factor picture, the options such a
// plot takes besides --out and --size, and the picture itself.
bool IsFactorPlot(const std::vector<std::string>& args);
std::vector<std::string> FactorPlotOptions();
DisplayList FactorPlot(const CliContext& ctx, const CommandOptions& opts);

} // namespace yarrow
