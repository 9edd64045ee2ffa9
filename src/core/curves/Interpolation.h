#pragma once

#include "core/numeric/Precision.h"

#include <cstdint>
#include <string>

namespace yarrow {

class Session;

// The regular grid of dates that the curves panel fills in between the bond maturities.

// Step in years of entry `index` of kSteps: 0 a day (1/365), 1 a week (1/52), anything else a month.
float InterpolationStep(int index);

struct InterpolationGrid {
    int16_t NumInterp = 0; // 0: nothing computed since the last curve plot
    Array1<float> InterpX; // i x step, i = 1..NumInterp
    Array1<float> InterpY; // the rate (a decimal) at InterpX(i)
};

// Points of the grid: the last curve time over the step, to the nearest whole (halves to even).
// More than a 16-bit count raises Overflow; an empty table raises SubscriptOutOfRange.
int16_t InterpolationCount(const Session& session, float step);

// The cubic spline through the plotted curve (session.ZeroTimes/ZeroYields, 1..nBonds) with the
// given end slopes, on the grid. Equal maturities raise DivisionByZero.
void SplineInterpolation(Session& session, float step, float leftSlope, float rightSlope,
                         InterpolationGrid& grid);

// Straight lines through the plotted curve, flat beyond its ends.
void LinearInterpolation(Session& session, float step, InterpolationGrid& grid);

// The clipboard text: per point the time and the rate as "####0.0000", a TAB between, a CR after.
std::string InterpolationCopyText(const InterpolationGrid& grid);

} // namespace yarrow
