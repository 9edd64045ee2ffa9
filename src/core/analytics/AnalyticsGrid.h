#pragma once

namespace yarrow {

class GridModel;
class Session;

// Opening the analytics panel: clears the cash-flow grid to its two headings ("Time", "Cash Flow"),
// lists every bond with Quantity "0", Value, Yield (percent), $Duration, $Convexity, Duration and
// Convexity (n + 1 rows, 8 columns, the name in column 0), then bootstraps the continuous zero
// curve that cash-flow streams are priced on. A bond priced at 0 raises DivisionByZero at its row;
// the rows above it stay filled.
void FillAnalyticsGrid(Session& session, GridModel& bondGrid, GridModel& cashFlowGrid);

} // namespace yarrow
