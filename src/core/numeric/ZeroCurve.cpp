#include "core/numeric/ZeroCurve.h"

#include "core/numeric/LinearInterpolate.h"
#include "core/numeric/Precision.h"

#include <algorithm>

namespace yarrow {

double ZeroCurve::PresentValue(float cf, float t, int nPoints, PendingEvents* events) const {
    const int n = std::min({nPoints, ZeroYields.UBound(), ZeroTimes.UBound()});
    if (n < 0)
        return cf;
    const float z = LinearInterpolate(ZeroYields, ZeroTimes, static_cast<int16_t>(n), t, events);
    return cf * Exp(-static_cast<double>(t) * z);
}

void Forwards(Array1<float>& ZeroYields, const Array1<float>& ZeroTimes, int16_t N, int16_t CompFreq) {
    if (N < 1)
        return;
    const Array1<float>& Z = ZeroYields;
    const Array1<float>& T = ZeroTimes;
    Array1<float> F(N);
    F(1) = Z(1);
    if (CompFreq > 0) {
        const double m = CompFreq;
        for (int i = 2; i <= N; ++i) {
            float a = CSng(Pow(1 + Z(i) / m, m * T(i)));
            a = CSng(Divide(a, Pow(1 + Z(i - 1) / m, m * T(i - 1))));
            a = CSng(Pow(a, Divide(1.0, (static_cast<double>(T(i)) - T(i - 1)) * m)));
            F(i) = CSng((a - 1.0) * m);
        }
    } else {
        for (int i = 2; i <= N; ++i) {
            const double span = static_cast<double>(T(i)) - T(i - 1);
            F(i) = CSng(
                Divide(static_cast<double>(T(i)) * Z(i) - static_cast<double>(T(i - 1)) * Z(i - 1), span));
        }
    }
    for (int i = 1; i <= N; ++i)
        ZeroYields(i) = F(i);
}

} // namespace yarrow
