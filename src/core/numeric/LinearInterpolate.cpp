#include "core/numeric/LinearInterpolate.h"

#include "core/numeric/Precision.h"

namespace yarrow {

namespace {

float Interpolate(const Array1<float>& ys, const Array1<float>& xs, int16_t n, float x, PendingEvents* events,
                  int& start) {
    if (x <= xs(0))
        return ys(0);
    if (x >= xs(n))
        return ys(n);
    int k = start;
    for (; k <= n; ++k) {
        const float xk = xs(k);
        if (x == xk) {
            start = k;
            return ys(k);
        }
        if (x < xk)
            break;
    }
    start = k;
    // x > xs(0) and x < xs(n), so the scan stopped at some k >= 1 with xs(k - 1) < x < xs(k).
    const float x0 = xs(k - 1);
    const float y0 = ys(k - 1);
    const float slope = CSng((static_cast<double>(ys(k)) - y0) / (static_cast<double>(xs(k)) - x0));
    DoEvents(events);
    return CSng((static_cast<double>(x) - x0) * slope + y0);
}

} // namespace

float LinearInterpolate(const Array1<float>& ys, const Array1<float>& xs, int16_t n, float x,
                        PendingEvents* events) {
    int start = 0;
    return Interpolate(ys, xs, n, x, events, start);
}

float LinearInterpolate(const Array1<float>& ys, const Array1<float>& xs, int16_t n, float x,
                        PendingEvents* events, InterpolationCursor& cursor) {
    if (!cursor.used || !(x >= cursor.lastX))
        cursor.k = 0;
    cursor.used = true;
    cursor.lastX = x;
    return Interpolate(ys, xs, n, x, events, cursor.k);
}

} // namespace yarrow
