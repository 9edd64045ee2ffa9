#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace yarrow {

class GridModel;
class Session;

// The value, yield and risk of a typed or pasted stream of (time, amount) pairs, priced off the
// continuously compounded zero curve of the bond table.
struct CashFlowResult {
    float cfValue = 0.0f;
    float cfYield = 0.0f; // continuous, a decimal; -999 when no yield fits
    float cfDollarDuration = 0.0f;
    float cfDollarConvexity = 0.0f;
};

// Rows of the cash-flow grid for the count box's text: |Val(text)| + 1 to the nearest whole
// (halves to even). Raises Overflow for a count beyond 32 bits.
int32_t CashFlowGridRows(const std::string& countText);

// "Calculate": n = Val(countText) to the nearest 16-bit whole, the flows read from rows 1..n of the
// grid (column 0 time, column 1 amount, each by Val), then value, yield, $duration and $convexity
// from a cash-flow stream bond. A count beyond the grid raises SubscriptOutOfRange; a negative one
// cannot size the stream and raises it too.
CashFlowResult CalculateCashFlows(Session& session, const GridModel& cashFlowGrid,
                                  const std::string& countText);
// The same into the caller's fields, all four or none: an error leaves the previous stream's
// results whole.
void CalculateCashFlows(Session& session, const GridModel& cashFlowGrid, const std::string& countText,
                        CashFlowResult& result);

// "Value: 99.0000", "Yield: 1.0000" (percent), "$Duration: ...", "$Convexity: ...".
std::array<std::string, 4> CashFlowCaptions(const CashFlowResult& result);

} // namespace yarrow
