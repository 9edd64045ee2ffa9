#pragma once

#include <string>
#include <vector>

namespace yarrow {

class GridModel;
class Session;

// The yield a bond reports when no rate in its search interval matches its price.
inline constexpr float kNoYield = -999.0f;
// What the listing shows for a measure a bond without a yield cannot have.
inline constexpr const char* kNotAvailable = "n/a";

// Opening the analytics panel: clears the cash-flow grid to its two headings ("Time", "Cash Flow"),
// lists every bond with Quantity "0", Value, Yield (percent), $Duration, $Convexity, Duration and
// Convexity (n + 1 rows, 8 columns, the name in column 0), then bootstraps the continuous zero
// curve that cash-flow streams are priced on.
//
// A bond whose yield search fails has no dollar measures (at the failure yield they are
// meaningless or overflow): its row shows the value and the failure yield, and "n/a" for the four
// risk columns, and the listing goes on. Returns those bonds (1-based). Any other error (a bond
// priced at 0 that still has a yield) raises at its row; the rows above it stay filled.
std::vector<int> FillAnalyticsGrid(Session& session, GridModel& bondGrid, GridModel& cashFlowGrid);

// The status-bar note for bonds without a yield: "No yield fits the price of 5Y, 7Y: ..."; empty
// when there are none.
std::string NoYieldNote(const Session& session, const std::vector<int>& bonds);

} // namespace yarrow
