#pragma once

#include "core/numeric/Precision.h"

#include <cstdint>

namespace yarrow {

// Cubic spline through knots 1..n (x strictly ascending), single precision. Each end is clamped to
// a given first derivative, or natural (zero second derivative) when that derivative exceeds
// 9.9e29. Until SetDerivatives is called both ends are clamped to slope 0.
class qalSpline {
public:
    // n = nn; knots and second derivatives (indexes 0..nn) all become 0.
    void SetN(int16_t nn);
    // Knot ii. An index outside 0..n raises SubscriptOutOfRange.
    void SetXY(int16_t ii, float xx, float yy);
    void SetX(int16_t ii, float xx);
    // First derivatives at knot 1 and knot n; above 9.9e29 means a natural end.
    void SetDerivatives(float yy1, float yy2);
    // Second derivatives at the knots; run after the last SetXY/SetDerivatives. Needs n >= 2
    // (else SubscriptOutOfRange); equal abscissas raise DivisionByZero.
    void spline();
    // The spline at xx, into yy. Outside the knots the end interval's cubic is extended; a
    // bracket of two equal abscissas gives 0.
    void Splint(float xx, float& yy) const;

    int16_t count() const { return n_; }
    // Second derivative at knot i, as computed by spline().
    float secondDerivative(int16_t i) const { return y2_(i); }

private:
    int16_t n_ = 0;
    Array1<float> x_;
    Array1<float> y_;
    Array1<float> y2_;
    float yp1_ = 0.0f;
    float ypn_ = 0.0f;
};

} // namespace yarrow
