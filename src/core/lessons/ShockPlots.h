#pragma once

#include "RateShock.h"
#include "ShockRepricing.h"

namespace yarrow {

class DisplayList;

// The zero curve before (layer "zero") and after (layer "shocked") the shock, in percent over
// 0 .. the curve's last maturity; the bound labels give the rate range and the years.
void DrawShockCurve(DisplayList& picture, const ZeroCurveKnots& curve, const ShockKnots& shock);

// One bond's price against its continuous yield over y0 +/- 300 bp (layer "price"), the duration
// tangent at y0 ("duration"), the duration-and-convexity parabola ("convexity") and a cross at
// the shocked yield y1 and value ("marker"). The bound labels give the price and yield ranges.
void DrawPriceYield(DisplayList& picture, const CurveBond& bond, const ShockRow& shocked);

} // namespace yarrow
