#pragma once

#include <cstdint>
#include <string>

namespace yarrow {

class GridModel;
class Session;

// The computing side of the curves panel: the bond listing and the data of the three curve plots.

enum class CurveType { YieldToMaturity = 0, Zero = 1, Forward = 2 };

// Palette colours of the curves.
inline constexpr int16_t kColourYield = 0;
inline constexpr int16_t kColourZero = 12;
inline constexpr int16_t kColourForward = 11;
inline constexpr int16_t kColourSpline = 13;
inline constexpr int16_t kColourNelsonSiegel = 10;

// Frequency of entry `index` of kCompoundings (-1 continuous, 365, 12, 2, 1); any other index keeps
// `current`.
int16_t CompFreqFromIndex(int index, int16_t current);

// Lists the bond table: nBonds + 1 rows, 8 columns; headings Bond, Coupon, Maturity, Quote, BEY,
// Value in row 0 (column 7 is left for the plotted curve); row i from bond i with the coupon and
// yield in percent and every number as "####0.0000". Prices every bond (GetPrice before GetYTM),
// which the zero-curve bootstrap relies on.
void FillCurvesListing(Session& session, GridModel& grid);

// The data of one curve plot: fills session.ZeroTimes/ZeroYields with the yields to maturity, the
// bootstrapped zero curve or the forward curve in the compounding of compFreq, writes the heading
// ("YTM", "Zero's", "Forwards") and the rates in percent into column 7 of the listing, and returns
// the palette colour to draw with. Run-time errors (two bonds at the same maturity for forwards)
// go to the caller.
int16_t ComputeCurve(Session& session, GridModel& grid, CurveType type, int16_t compFreq);

// Column 7 heading of each curve.
const char* CurveHeading(CurveType type);

} // namespace yarrow
