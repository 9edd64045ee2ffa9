#pragma once

#include "core/numeric/Array2.h"

#include <cstdint>

namespace yarrow {

// A square single-precision matrix and its inverse by Gauss-Jordan elimination with full
// pivoting. Rows and columns are used from index 1; index 0 stays empty.
class qalMatrix {
public:
    // Order nn; every element of the matrix, the inverse and the pivot record becomes 0.
    void Initialize(int16_t nn);
    // A(i, j) = x. An index outside 0..n raises SubscriptOutOfRange.
    void setA(int16_t i, int16_t j, float x);
    // Inverts A into the inverse, leaving A unchanged. 0 on success; -1 when a column turns up
    // pivoted twice during a search, 1 when some column was not pivoted exactly once (both mean
    // A is singular and the inverse is meaningless). A zero pivot raises DivisionByZero, a
    // result beyond single range raises Overflow.
    int16_t Invert();
    // inverse(i, j). An index outside 0..n raises SubscriptOutOfRange.
    float getInverse(int16_t i, int16_t j) const;

    int16_t order() const { return n_; }

private:
    int16_t n_ = 0;
    Array2<float> a_;
    Array2<float> inverse_;
    // Per step i: pivot row (column 1) and pivot column (column 2); per column k: how often it
    // has been the pivot column (column 3). Column 4 is never used.
    Array2<int16_t> pivots_;
};

} // namespace yarrow
