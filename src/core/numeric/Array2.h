#pragma once

#include "core/numeric/Array1.h"

#include <cstddef>
#include <vector>

namespace yarrow {

// A two-dimensional array dimensioned 0..rows by 0..cols with checked access: an index outside
// either range raises SubscriptOutOfRange, as the numeric classes' callers expect.
template <typename T> class Array2 {
public:
    Array2() = default;
    Array2(int upperRow, int upperCol) { Redim(upperRow, upperCol); }

    void Redim(int upperRow, int upperCol) {
        if (upperRow < -1 || upperCol < -1)
            ThrowSubscriptOutOfRange();
        rows_ = static_cast<size_t>(upperRow + 1);
        cols_ = static_cast<size_t>(upperCol + 1);
        v_.assign(rows_ * cols_, T{});
    }
    int UBoundRow() const { return static_cast<int>(rows_) - 1; }
    int UBoundCol() const { return static_cast<int>(cols_) - 1; }

    // Row i as a plain pointer to its elements 0..UBoundCol(), for loops that stay inside it.
    T* row(int i) { return &v_[index(i, 0)]; }
    const T* row(int i) const { return &v_[index(i, 0)]; }

    T& operator()(int i, int j) { return v_[index(i, j)]; }
    const T& operator()(int i, int j) const { return v_[index(i, j)]; }

private:
    size_t index(int i, int j) const {
        if (i < 0 || j < 0 || static_cast<size_t>(i) >= rows_ || static_cast<size_t>(j) >= cols_)
            ThrowSubscriptOutOfRange();
        return static_cast<size_t>(i) * cols_ + static_cast<size_t>(j);
    }

    size_t rows_ = 0;
    size_t cols_ = 0;
    std::vector<T> v_;
};

} // namespace yarrow
