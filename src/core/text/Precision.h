#pragma once

#include "core/numeric/Array1.h" // most callers of the conversions index arrays from 1 as well

#include <cstdint>

namespace yarrow {

// Platform numeric conversions. Single precision is float; intermediates are double.

// Round to single precision; a finite value beyond the float range raises Overflow.
float CSng(double x);
// Nearest 16/32-bit integer, halves to even; out of range (or NaN) raises Overflow.
int16_t CInt(double x);
int32_t CLng(double x);
// Int(): the floor, as a double.
double Int(double x);
// Checked division: a zero divisor raises DivisionByZero; a finite quotient beyond the double
// range raises Overflow.
double Divide(double a, double b);

} // namespace yarrow
