#pragma once

#include "core/numeric/ZeroCurve.h"
#include "core/text/Dates.h"

#include <cstdint>

namespace yarrow {

class PendingEvents;

// What a bond reads from the table it belongs to: the program date order (dates travel as text in
// the program date format), the pending-events hook of its long loops, and the zero curve with
// the table's size (nBonds) that price a cash-flow stream. The session is one.
class BondContext {
public:
    DateOrder dateOrder = DateOrder::MonthFirst;
    PendingEvents* events = nullptr;
    int16_t nBonds = 0;
    ZeroCurve zeroCurve;

    // The stream price of cf at t years off the zero curve over the table's points.
    double ZeroCurvePV(float cf, float t) const { return zeroCurve.PresentValue(cf, t, nBonds, events); }

protected:
    BondContext() = default;
    ~BondContext() = default;
};

} // namespace yarrow
