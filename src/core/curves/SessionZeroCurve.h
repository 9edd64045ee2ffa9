#pragma once

#include "core/numeric/ZeroCurve.h"

#include <cstdint>

namespace yarrow {

class BondContext;
class Session;

// The session's zero curve: built from the bond table, read by the bonds, turned into forwards.

// Rebuilds session.ZeroYields/ZeroTimes (0..nBonds) bond by bond in table order with
// qalBond::BootStrapNewton. CompFreq: -1 (or any value <= 0) continuous, otherwise periods a year.
// Each bond's PriceValue must be current (GetPrice has run since the quotes last changed).
void BootstrapZeroCurve(Session& session, int16_t CompFreq);

// cf * exp(-t * z), z the session's zero rate at t (linear, flat beyond the ends). Without a
// session, or before any bootstrap, z is 0. A curve shorter than the table (bonds added after the
// last bootstrap) is read over the points it has.
double ZeroCurvePV(const BondContext* session, float cf, float t);

// Forwards (core/numeric/ZeroCurve.h) on the session's curve with N = nBonds.
void Forwards(Session& session, int16_t CompFreq);

} // namespace yarrow
