#include "core/numeric/Precision.h"

#include "core/text/RuntimeError.h"

#include <cmath>
#include <limits>

namespace yarrow {

namespace {

// Nearest integer with halves going to the even neighbour, independent of the FPU rounding mode.
double RoundHalfEven(double x) {
    const double f = std::floor(x);
    const double diff = x - f; // exact for every finite double
    if (diff > 0.5)
        return f + 1.0;
    if (diff < 0.5)
        return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

template <typename I> I ToInteger(double x) {
    if (std::isnan(x))
        throw RuntimeError::Overflow();
    const double r = RoundHalfEven(x);
    if (r < static_cast<double>(std::numeric_limits<I>::min()) ||
        r > static_cast<double>(std::numeric_limits<I>::max()))
        throw RuntimeError::Overflow();
    return static_cast<I>(r);
}

} // namespace

void ThrowSubscriptOutOfRange() {
    throw RuntimeError::SubscriptOutOfRange();
}

float CSng(double x) {
    // Converting a finite double beyond the float range is undefined in C++, so check first.
    if (!(std::fabs(x) <= static_cast<double>(std::numeric_limits<float>::max())))
        throw RuntimeError::Overflow();
    return static_cast<float>(x);
}

int16_t CInt(double x) {
    return ToInteger<int16_t>(x);
}

int32_t CLng(double x) {
    return ToInteger<int32_t>(x);
}

double Int(double x) {
    return std::floor(x);
}

double Divide(double a, double b) {
    if (b == 0.0)
        throw RuntimeError::DivisionByZero();
    const double q = a / b;
    if (std::isinf(q) && std::isfinite(a) && std::isfinite(b))
        throw RuntimeError::Overflow();
    return q;
}

double Exp(double x) {
    if (std::isnan(x))
        throw RuntimeError::Overflow();
    const double r = std::exp(x);
    if (std::isinf(r))
        throw RuntimeError::Overflow();
    return r;
}

double Sqr(double x) {
    if (std::isnan(x))
        throw RuntimeError::Overflow();
    if (x < 0)
        throw RuntimeError::InvalidProcedureCall();
    return std::sqrt(x);
}

double Pow(double base, double exponent) {
    if (std::isnan(base) || std::isnan(exponent))
        throw RuntimeError::Overflow();
    if (base < 0 && std::isfinite(exponent) && exponent != std::floor(exponent))
        throw RuntimeError::InvalidProcedureCall();
    if (base == 0 && exponent < 0)
        throw RuntimeError::DivisionByZero();
    const double r = std::pow(base, exponent);
    if (!std::isfinite(r))
        throw RuntimeError::Overflow();
    return r;
}

} // namespace yarrow
