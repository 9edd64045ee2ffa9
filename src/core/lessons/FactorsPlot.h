#pragma once

#include "core/lessons/Factors.h"

#include <vector>

namespace yarrow {

class DisplayList;

// The factor pictures as display lists (SVG, PNG and the picture box paint them), each with its
// bound labels; the plot is cleared first and nothing more is drawn from an empty input.
// Loadings of the first three components against maturity in years; layers pc1, pc2, pc3.
void DrawFactorLoadings(const PcaResult& pca, DisplayList& plot);
// The explained share of each component in percent, one bar per component (layer explained).
void DrawExplainedBars(const PcaResult& pca, DisplayList& plot);
// The Nelson-Siegel betas over time (x in years); layers level, slope, curvature; the left and
// right bounds are the first and last dates.
void DrawDnsBetas(const std::vector<DnsRow>& rows, DisplayList& plot);
// One beta over time (layer `layer`) beside its empirical proxy (layer proxy, thinner); a NaN
// leaves a gap.
struct BetaSeries {
    const char* layer;
    const char* legend;
    const char* proxyLegend;
    std::vector<double> beta;
    std::vector<double> proxy;
};
void DrawBetaWithProxy(const std::vector<Date>& dates, const BetaSeries& series, DisplayList& plot);

} // namespace yarrow
