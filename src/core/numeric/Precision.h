#pragma once

#include "core/numeric/Array1.h" // most callers of the conversions index arrays from 1 as well

#include <cstdint>

namespace yarrow {

// Platform numeric conversions. Single precision is float; intermediates are double.

// Round to single precision. A value beyond the float range raises Overflow, and so do the
// infinities and NaN, which no platform number can hold.
float CSng(double x);
// Nearest 16/32-bit integer, halves to even; out of range (or NaN) raises Overflow.
int16_t CInt(double x);
int32_t CLng(double x);
// Int(): the floor, as a double.
double Int(double x);
// Checked division: a zero divisor raises DivisionByZero; a finite quotient beyond the double
// range raises Overflow.
double Divide(double a, double b);
// The platform's Exp, Sqr and ^: the standard results, with the platform's errors where those are
// not numbers. Exp beyond the double range raises Overflow; Sqr of a negative number and a negative
// base with a fractional exponent raise InvalidProcedureCall; 0 to a negative power raises
// DivisionByZero; a power beyond the double range raises Overflow.
double Exp(double x);
double Sqr(double x);
double Pow(double base, double exponent);

} // namespace yarrow
