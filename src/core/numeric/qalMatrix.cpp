#include "core/numeric/qalMatrix.h"

#include "core/numeric/Precision.h"

#include <cmath>
#include <utility>

namespace yarrow {

namespace {
constexpr int kPivotRow = 1;
constexpr int kPivotCol = 2;
constexpr int kPivotCount = 3;
} // namespace

void qalMatrix::Initialize(int16_t nn) {
    n_ = nn;
    a_.Redim(nn, nn);
    inverse_.Redim(nn, nn);
    pivots_.Redim(nn, 4);
}

void qalMatrix::setA(int16_t i, int16_t j, float x) {
    a_(i, j) = x;
}

float qalMatrix::getInverse(int16_t i, int16_t j) const {
    return inverse_(i, j);
}

int16_t qalMatrix::Invert() {
    const int n = n_;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            inverse_(i, j) = a_(i, j);
    for (int k = 1; k <= n; ++k)
        pivots_(k, kPivotCount) = 0;

    // A step that finds no admissible element reuses the previous step's pivot (row 0 and column
    // 0 before the first); the counts then expose the singular matrix.
    int irow = 0;
    int icol = 0;
    for (int i = 1; i <= n; ++i) {
        float big = 0.0f;
        for (int j = 1; j <= n; ++j) {
            if (pivots_(j, kPivotCount) == 1)
                continue;
            for (int k = 1; k <= n; ++k) {
                const int16_t count = pivots_(k, kPivotCount);
                if (count > 1)
                    return -1;
                if (count == 0 && std::fabs(inverse_(j, k)) > big) {
                    big = std::fabs(inverse_(j, k));
                    irow = j;
                    icol = k;
                }
            }
        }
        pivots_(icol, kPivotCount) = CInt(pivots_(icol, kPivotCount) + 1);
        pivots_(i, kPivotRow) = static_cast<int16_t>(irow);
        pivots_(i, kPivotCol) = static_cast<int16_t>(icol);

        if (irow != icol)
            for (int l = 1; l <= n; ++l)
                std::swap(inverse_(irow, l), inverse_(icol, l));

        const float p = inverse_(icol, icol);
        inverse_(icol, icol) = 1.0f;
        for (int l = 1; l <= n; ++l)
            inverse_(icol, l) = CSng(Divide(inverse_(icol, l), p));

        for (int r = 1; r <= n; ++r) {
            if (r == icol)
                continue;
            const double d = inverse_(r, icol);
            inverse_(r, icol) = 0.0f;
            for (int l = 1; l <= n; ++l)
                inverse_(r, l) =
                    CSng(static_cast<double>(inverse_(r, l)) - static_cast<double>(inverse_(icol, l)) * d);
        }
    }

    for (int l = n; l >= 1; --l) {
        const int r = pivots_(l, kPivotRow);
        const int c = pivots_(l, kPivotCol);
        if (r != c)
            for (int k = 1; k <= n; ++k)
                std::swap(inverse_(k, r), inverse_(k, c));
    }

    for (int k = 1; k <= n; ++k)
        if (pivots_(k, kPivotCount) != 1)
            return 1;
    return 0;
}

} // namespace yarrow
