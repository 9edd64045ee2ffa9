#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

// An array used from index 1 (element 0 left empty, but addressable), with checked access:
// an index outside 0..size()-1 raises SubscriptOutOfRange.
template <typename T> class Array1 {
public:
    Array1() = default;
    // Dimensioned 0..upper (upper + 1 elements). A negative upper bound raises SubscriptOutOfRange.
    explicit Array1(int upper) { Redim(upper); }
    void Redim(int upper);
    int UBound() const { return static_cast<int>(v_.size()) - 1; }
    T& operator()(int i);
    const T& operator()(int i) const;
    T& operator[](int i) { return (*this)(i); }
    const T& operator[](int i) const { return (*this)(i); }
    std::vector<T>& raw() { return v_; }
    const std::vector<T>& raw() const { return v_; }

private:
    std::vector<T> v_;
};

[[noreturn]] void ThrowSubscriptOutOfRange();

template <typename T> void Array1<T>::Redim(int upper) {
    if (upper < -1)
        ThrowSubscriptOutOfRange();
    v_.assign(static_cast<size_t>(upper + 1), T{});
}
template <typename T> T& Array1<T>::operator()(int i) {
    if (i < 0 || static_cast<size_t>(i) >= v_.size())
        ThrowSubscriptOutOfRange();
    return v_[static_cast<size_t>(i)];
}
template <typename T> const T& Array1<T>::operator()(int i) const {
    if (i < 0 || static_cast<size_t>(i) >= v_.size())
        ThrowSubscriptOutOfRange();
    return v_[static_cast<size_t>(i)];
}

} // namespace yarrow
