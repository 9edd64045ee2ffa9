#pragma once

#include "core/numeric/Array2.h"
#include "core/seams/PendingEvents.h"
#include "core/numeric/Precision.h"

#include <cstdint>
#include <vector>

namespace yarrow {

// A small linear programme solved on a dense single-precision simplex tableau:
//   maximise sum c_j x_j  subject to  sum A_ij x_j <= b_i  for the first m - e rows,
//                                     sum A_ij x_j  = b_i  for the last e rows,  x_j >= 0.
// (A ">=" row is passed multiplied by -1; a minimum is found by negating c.)
// Use: Initialize, the set calls (1-based), then one MinIt. A second solve needs a new Initialize.
class ssMinit {
public:
    // The primal pivot choice lets pending events run once per candidate column.
    explicit ssMinit(PendingEvents* events = nullptr) : events_(events) {}

    // Solves. Status 0: optimum; x(0..n-1) receives the variables, w(0..m-1) the shadow prices of
    // the inequality rows in its first m - e entries (the rest 0), z the objective. Status 1: no
    // usable pivot (Phase 1 failed, no pivot row or column, or the iteration limit was reached);
    // 2: infeasible; 3: unbounded. x, w and z are written only for status 0. An array too short
    // raises SubscriptOutOfRange.
    int16_t MinIt(Array1<float>& x, Array1<float>& w, float& z);
    // Sizes every array afresh, filled with zeros. Always returns 0; n + m beyond 16 bits raises
    // Overflow; a negative count, or more equalities than constraints, raises SubscriptOutOfRange
    // and leaves an empty programme.
    int16_t Initialize(int16_t nVariables, int16_t nConstraints, int16_t nEquality);
    // Pivots each equality row onto a variable (after making its right-hand side non-negative).
    // failed = 1 when some row found no pivot. MinIt calls it; callers need not.
    void Phase1(int16_t& failed);
    // Kept for callers of the old interface; prints nothing.
    void PrintTableau() const {}
    // c(iVar), b(iCons), A(iCons, iVar), all 1-based. An index beyond the sizes raises
    // SubscriptOutOfRange.
    void setObjectiveVector(int16_t iVar, float xval) { c_(iVar - 1) = xval; }
    void setConstraintVector(int16_t iCons, float xval) { b_(iCons - 1) = xval; }
    void setConstraintMatrix(int16_t iCons, int16_t iVar, float xval) { a_(iCons - 1, iVar - 1) = xval; }

    // The pivot rules can cycle on a degenerate problem; MinIt gives up with status 1 after this
    // many pivots. 0 (the start value) means DefaultIterationLimit() of the current sizes.
    void setIterationLimit(int32_t limit) { iterationLimit_ = limit; }
    int32_t IterationLimit() const;
    int32_t DefaultIterationLimit() const { return 1000 + 10 * (nCols_ + m_); }
    // Pivots made by the last MinIt after Phase 1.
    int32_t Iterations() const { return iterations_; }

private:
    bool Pivot(int row, int col);
    void ChoosePrimalPivot();
    void ChooseDualPivot();
    // Phase 1 ratio test of the given columns against the equality rows that still lack a
    // basic variable, then their scores in list order.
    void Phase1Scan(const int* cols, int count);
    // Rebuilds the tableau of the current basis from the problem data (only the prices row and
    // the right-hand sides unless full); false (tableau kept) when the basis matrix is singular.
    bool Refresh(bool full);
    // No improving column and no negative row.
    bool Settled();

    float& T(int i, int j) {
        if (i < 0 || i > m_ || j < 0 || j >= nCols_)
            ThrowSubscriptOutOfRange();
        return tableau_[static_cast<size_t>(i) * static_cast<size_t>(nCols_) + static_cast<size_t>(j)];
    }
    int rhs() const { return nCols_ - 1; }

    PendingEvents* events_;
    int16_t n_ = 0;
    int16_t m_ = 0;
    int16_t e_ = 0;
    int16_t nCols_ = 1;

    Array1<float> c_;
    Array1<float> b_;
    Array2<float> a_;

    std::vector<float> tableau_;
    std::vector<int> basis_; // per row 1..m: basic column, or -1

    std::vector<int> candCols_;
    std::vector<int> allCols_; // 0, 1, 2, ...
    int nCand_ = 0;
    std::vector<int> negRows_;
    int nNeg_ = 0;
    std::vector<float> ratioCol_;
    std::vector<int> rowForCol_;
    std::vector<float> ratioRow_;
    std::vector<int> colForRow_;

    float bestPrimal_ = 0.0f;
    int primalRow_ = -1;
    int primalCol_ = -1;
    float bestDual_ = 0.0f;
    int dualRow_ = -1;
    int dualCol_ = -1;

    int32_t iterationLimit_ = 0;
    int32_t iterations_ = 0;
};

} // namespace yarrow
