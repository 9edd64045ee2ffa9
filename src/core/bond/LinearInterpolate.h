#pragma once

#include "core/seams/PendingEvents.h"
#include "core/text/Precision.h"

#include <cstdint>

namespace yarrow {

// Linear interpolation of ys over xs, both read at indexes 0..n; flat beyond both ends and exact
// at the knots. The scan takes the first knot not below x, so a curve whose times do not increase
// (a bond added out of maturity order) is read the same way as it always was.
// The interior path services the pending-events hook once: long bootstraps stay responsive.
float LinearInterpolate(const Array1<float>& ys, const Array1<float>& xs, int16_t n, float x,
                        PendingEvents* events = nullptr);

} // namespace yarrow
