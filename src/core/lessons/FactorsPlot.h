#pragma once

#include "core/lessons/Factors.h"

#include <vector>

namespace yarrow {

class DisplayList;

// The factor pictures as display lists (SVG, PNG and the picture box paint them), each with its
// bound labels; the plot is cleared first and nothing more is drawn from an empty input.
// Loadings of the first three components against maturity in years; layers pc1, pc2, pc3.
void DrawFactorLoadings(const PcaResult& pca, DisplayList& plot);
// The Nelson-Siegel betas over time (x in years); layers level, slope, curvature; the left and
// right bounds are the first and last dates.
void DrawDnsBetas(const std::vector<DnsRow>& rows, DisplayList& plot);

} // namespace yarrow
