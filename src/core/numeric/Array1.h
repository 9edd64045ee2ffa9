#pragma once

#include <cstddef>
#include <vector>

namespace yarrow {

// Raises the run-time error "Subscript out of range" (a checked index outside its bounds).
[[noreturn]] void ThrowSubscriptOutOfRange();

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
