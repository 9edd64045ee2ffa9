#include "core/bond/LinearInterpolate.h"

#include "core/text/Precision.h"

namespace yarrow {

float LinearInterpolate(const Array1<float>& ys, const Array1<float>& xs, int16_t n, float x,
                        PendingEvents* events) {
    if (x <= xs(0))
        return ys(0);
    if (x >= xs(n))
        return ys(n);
    int k = 0;
    for (; k <= n; ++k) {
        const float xk = xs(k);
        if (x == xk)
            return ys(k);
        if (x < xk)
            break;
    }
    // x > xs(0) and x < xs(n), so the scan stopped at some k >= 1 with xs(k - 1) <= x < xs(k)
    // or, on a curve that turns back, at the first knot above x.
    const float x0 = xs(k - 1);
    const float y0 = ys(k - 1);
    const float slope = CSng((static_cast<double>(ys(k)) - y0) / (static_cast<double>(xs(k)) - x0));
    DoEvents(events);
    return CSng((static_cast<double>(x) - x0) * slope + y0);
}

} // namespace yarrow
