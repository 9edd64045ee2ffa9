#pragma once

#include "core/numeric/Array1.h"

#include <cstdint>

namespace yarrow {

class PendingEvents;

// A zero curve: rates (decimal fractions) and times in years at points 0..n, as the bootstrap
// leaves them; a single zero point before the first one.
struct ZeroCurve {
    Array1<float> ZeroYields{0};
    Array1<float> ZeroTimes{0};

    // cf * exp(-t * z), z the rate at t read linearly over points 0..nPoints (flat beyond the
    // ends); fewer points stored than asked are read as far as they go; with no point, cf.
    double PresentValue(float cf, float t, int nPoints, PendingEvents* events = nullptr) const;
};

// Forward rates in place: ZeroYields(i) becomes the rate, in the compounding of CompFreq, from
// the maturity of point i - 1 to that of point i, for i = 2..N; point 1 keeps its zero rate and
// point 0 is untouched. Two points at the same time raise DivisionByZero.
void Forwards(Array1<float>& ZeroYields, const Array1<float>& ZeroTimes, int16_t N, int16_t CompFreq);

} // namespace yarrow
