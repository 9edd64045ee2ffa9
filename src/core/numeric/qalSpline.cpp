#include "core/numeric/qalSpline.h"

namespace yarrow {

namespace {
// Derivatives above this mark a natural end.
constexpr float kNaturalEnd = 9.9e29f;
} // namespace

void qalSpline::SetN(int16_t nn) {
    n_ = nn;
    x_.Redim(nn);
    y_.Redim(nn);
    y2_.Redim(nn);
}

void qalSpline::SetXY(int16_t ii, float xx, float yy) {
    x_(ii) = xx;
    y_(ii) = yy;
}

void qalSpline::SetX(int16_t ii, float xx) {
    x_(ii) = xx;
}

void qalSpline::SetDerivatives(float yy1, float yy2) {
    yp1_ = yy1;
    ypn_ = yy2;
}

void qalSpline::spline() {
    const int n = n_;
    Array1<float> u(n);
    const auto& x = x_;
    const auto& y = y_;
    auto& y2 = y2_;

    if (yp1_ > kNaturalEnd) {
        y2(1) = 0.0f;
        u(1) = 0.0f;
    } else {
        y2(1) = -0.5f;
        const double h = static_cast<double>(x(2)) - x(1);
        u(1) = CSng(Divide(3.0, h) * (Divide(static_cast<double>(y(2)) - y(1), h) - yp1_));
    }
    for (int i = 2; i <= n - 1; ++i) {
        const float sig =
            CSng(Divide(static_cast<double>(x(i)) - x(i - 1), static_cast<double>(x(i + 1)) - x(i - 1)));
        const float p = CSng(static_cast<double>(sig) * y2(i - 1) + 2.0);
        y2(i) = CSng(Divide(sig - 1.0, p));
        const double slopeUp =
            Divide(static_cast<double>(y(i + 1)) - y(i), static_cast<double>(x(i + 1)) - x(i));
        const double slopeDown =
            Divide(static_cast<double>(y(i)) - y(i - 1), static_cast<double>(x(i)) - x(i - 1));
        const double curv = Divide(6.0 * (slopeUp - slopeDown), static_cast<double>(x(i + 1)) - x(i - 1));
        u(i) = CSng(Divide(curv - static_cast<double>(sig) * u(i - 1), p));
    }
    float qn = 0.0f;
    float un = 0.0f;
    if (!(ypn_ > kNaturalEnd)) {
        qn = 0.5f;
        const double h = static_cast<double>(x(n)) - x(n - 1);
        un = CSng(Divide(3.0, h) * (ypn_ - Divide(static_cast<double>(y(n)) - y(n - 1), h)));
    }
    y2(n) = CSng(Divide(un - static_cast<double>(qn) * u(n - 1), static_cast<double>(qn) * y2(n - 1) + 1.0));
    for (int k = n - 1; k >= 1; --k)
        y2(k) = CSng(static_cast<double>(y2(k)) * y2(k + 1) + u(k));
}

void qalSpline::Splint(float xx, float& yy) const {
    int klo = 1;
    int khi = n_;
    while (khi - klo > 1) {
        // The platform's integer conversion: halves go to the even neighbour.
        const int k = CInt((khi + klo) / 2.0);
        if (x_(k) > xx)
            khi = k;
        else
            klo = k;
    }
    const float h = CSng(static_cast<double>(x_(khi)) - x_(klo));
    if (h == 0.0f) {
        yy = 0.0f;
        return;
    }
    const float a = CSng((static_cast<double>(x_(khi)) - xx) / h);
    const float b = CSng((static_cast<double>(xx) - x_(klo)) / h);
    const double a3 = static_cast<double>(a) * a * a - a;
    const double b3 = static_cast<double>(b) * b * b - b;
    yy = CSng(static_cast<double>(a) * y_(klo) + static_cast<double>(b) * y_(khi) +
              (a3 * y2_(klo) + b3 * y2_(khi)) * (static_cast<double>(h) * h) / 6.0);
}

} // namespace yarrow
