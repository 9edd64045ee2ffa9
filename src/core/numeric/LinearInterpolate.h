#pragma once

#include "core/seams/PendingEvents.h"
#include "core/numeric/Precision.h"

#include <cstdint>

namespace yarrow {

// Linear interpolation of ys over xs, both read at indexes 0..n; flat beyond both ends and exact
// at the knots. The scan takes the first knot not below x, so a curve whose times do not increase
// (a bond added out of maturity order) is read the same way as it always was.
// The interior path services the pending-events hook once: long bootstraps stay responsive.
float LinearInterpolate(const Array1<float>& ys, const Array1<float>& xs, int16_t n, float x,
                        PendingEvents* events = nullptr);

// Where the previous scan stopped, for reading one curve at increasing x (the flows of a bond).
// Every knot a scan passed lies below its x, so a scan for a larger x may start there: the answer
// is the same as scanning from 0, whatever the order of the knots. A smaller x starts again at 0.
struct InterpolationCursor {
    int k = 0;
    float lastX = 0;
    bool used = false;
};
float LinearInterpolate(const Array1<float>& ys, const Array1<float>& xs, int16_t n, float x,
                        PendingEvents* events, InterpolationCursor& cursor);

} // namespace yarrow
