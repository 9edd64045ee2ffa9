#pragma once

#include "core/draw/Chart.h"
#include "core/lessons/Factors.h"

#include <string>
#include <vector>

namespace yarrow {

// The factor pictures for the chart window, each with axis titles and a legend; an empty input
// gives a chart without series.
// The first three loadings against maturity in years (classes pc1, pc2, pc3).
Chart LoadingsChart(const PcaResult& pca);
// The explained share of every component as a bar, with the cumulative share as a line
// (class cumulative).
Chart ExplainedChart(const PcaResult& pca);

// One beta over time beside its empirical proxy (NaN: no proxy that day) on a date axis.
struct BetaSeries {
    std::string title;       // "Level and the 10-year rate"
    std::string cssClass;    // level, slope or curvature
    std::string legend;      // "Level"
    std::string proxyLegend; // "10Y"
    int colour = kChartBlue;
    std::vector<double> beta;
    std::vector<double> proxy;
};
Chart BetaChart(const std::vector<Date>& dates, const BetaSeries& series);

// The three betas of `rows` with their proxies from the history (10Y; 10Y - 3M; 2 x 2Y - 3M - 10Y).
std::vector<BetaSeries> BetasWithProxies(const std::vector<DnsRow>& rows, const CmtHistory& history);

} // namespace yarrow
