#include "core/numeric/ssMinit.h"

#include "core/text/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace yarrow {

namespace {
constexpr float kTol = 1e-8f;
// "No ratio yet" and the starting best scores. Finite sentinels (a million) would make every
// step that moves a variable to a million or more look impossible, and a realistic portfolio
// (a value of millions at prices near 100) then fails; infinities keep the choices otherwise
// unchanged.
constexpr float kNoRatio = std::numeric_limits<float>::infinity();
constexpr float kNoRowRatio = -kNoRatio;
// A pivot's difference no larger than this share of its larger term (16 units in the last place
// of a single) is rounding left over from a cancellation, and is stored as 0. Left as it is, it
// can pass the tolerance, be chosen as a pivot element, and turn the tableau into nonsense.
constexpr double kDrop = 16.0 * std::numeric_limits<float>::epsilon();

// One row's part of a ratio test: for each candidate column with a positive entry, row i becomes
// the column's row when its ratio is strictly the least so far (so ties keep the first row).
// Divide first and select after: the comparisons then cost no mispredicted jumps.
inline void TakeLeastRatios(const float* ti, float r, int i, const int* cols, int count, float* ratio,
                            int* rowFor) {
    for (int k = 0; k < count; ++k) {
        const int c = cols[k];
        const float t = ti[c];
        const float q = r / t;
        const bool take = (t > kTol) & (q < ratio[c]);
        ratio[c] = take ? q : ratio[c];
        rowFor[c] = take ? i : rowFor[c];
    }
}
} // namespace

int16_t ssMinit::Initialize(int16_t nVariables, int16_t nConstraints, int16_t nEquality) {
    n_ = nVariables;
    m_ = nConstraints;
    e_ = nEquality;
    CInt(static_cast<int>(n_) + m_); // 16-bit sums, as the counts are
    nCols_ = CInt(static_cast<int>(n_) + m_ - e_ + 1);
    // The equalities are the last e of the m rows: any other count would place slack columns
    // and Phase 1 rows outside the tableau.
    if (n_ < 0 || m_ < 0 || e_ < 0 || e_ > m_) {
        n_ = m_ = e_ = 0;
        nCols_ = 1;
        tableau_.assign(1, 0.0f);
        ThrowSubscriptOutOfRange();
    }

    c_.Redim(n_);
    b_.Redim(m_);
    a_.Redim(m_, n_);

    const int rows = m_ + 1;
    const int cols = nCols_ > 0 ? nCols_ : 0;
    if (rows < 0)
        ThrowSubscriptOutOfRange();
    tableau_.assign(static_cast<size_t>(rows) * static_cast<size_t>(cols), 0.0f);
    basis_.assign(static_cast<size_t>(rows), -1);
    candCols_.assign(static_cast<size_t>(cols), 0);
    ratioCol_.assign(static_cast<size_t>(cols), 0.0f);
    rowForCol_.assign(static_cast<size_t>(cols), 0);
    negRows_.assign(static_cast<size_t>(rows), 0);
    ratioRow_.assign(static_cast<size_t>(rows), 0.0f);
    colForRow_.assign(static_cast<size_t>(rows), 0);
    allCols_.resize(static_cast<size_t>(cols));
    for (int j = 0; j < cols; ++j)
        allCols_[static_cast<size_t>(j)] = j;
    nCand_ = nNeg_ = 0;
    return 0;
}

int32_t ssMinit::IterationLimit() const {
    return iterationLimit_ > 0 ? iterationLimit_ : DefaultIterationLimit();
}

int16_t ssMinit::MinIt(Array1<float>& x, Array1<float>& w, float& z) {
    const int n = n_;
    const int m = m_;
    const int last = rhs();
    if (m < 0 || n < 0 || last < 0)
        ThrowSubscriptOutOfRange();

    const float* c = c_.raw().data();
    float* top = &T(0, 0);
    for (int j = 0; j < n; ++j)
        top[j] = -c[j];
    for (int i = 0; i < m; ++i) {
        const float* a = a_.row(i);
        std::copy(a, a + n, &T(i + 1, 0));
        T(i + 1, last) = b_(i);
    }
    for (int k = 0; k < m - e_; ++k)
        T(k + 1, n + k) = 1.0f;
    for (int i = 1; i <= m; ++i)
        basis_[i] = -1;

    iterations_ = 0;
    if (e_ > 0) {
        int16_t failed = 0;
        Phase1(failed);
        if (failed)
            return 1;
    }

    const int32_t limit = IterationLimit();
    // Every pivot rounds the tableau to single precision, and the rounding adds up: an entry
    // that should be 0 can end up beyond the tolerance (a "negative" row that reads as
    // infeasible) and values can drift by tenths of a percent. Before a verdict stands, the
    // tableau of the basis reached is rebuilt from the problem data (in double, stored in
    // single), and the verdict is taken again on it.
    // A basis that turns out singular was reached through a pivot on rounding noise; no verdict
    // drawn from it holds, and the solve ends with status 1.
    bool fresh = false;
    bool singular = false;
    auto retry = [&] {
        if (fresh)
            return false;
        fresh = true;
        singular = !Refresh(true);
        return !singular;
    };
    for (;;) {
        nCand_ = 0;
        for (int j = 0; j < last; ++j)
            if (T(0, j) < -kTol)
                candCols_[nCand_++] = j;
        nNeg_ = 0;
        for (int i = 1; i <= m; ++i)
            if (T(i, last) < -kTol)
                negRows_[nNeg_++] = i;

        if (nCand_ == 0 && nNeg_ == 0) {
            if (!fresh) {
                // Prices and values suffice to confirm an optimum; the rest only if it is not one.
                fresh = true;
                if (!Refresh(false))
                    return 1;
                if (!Settled()) {
                    Refresh(true);
                    continue;
                }
            }
            z = T(0, last);
            for (int j = 0; j < n; ++j)
                x(j) = 0.0f;
            for (int i = 0; i < m; ++i)
                w(i) = 0.0f;
            for (int i = 1; i <= m; ++i) {
                if (basis_[i] >= n)
                    basis_[i] = -1;
                // A degenerate value may sit a rounding below 0 (or at -0); holdings are never
                // negative.
                if (basis_[i] > -1)
                    x(basis_[i]) = T(i, last) > 0.0f ? T(i, last) : 0.0f;
            }
            for (int j = n; j < last; ++j)
                w(j - n) = T(0, j);
            return 0;
        }

        int row = -1;
        int col = -1;
        if (nCand_ == 0) {
            if (nNeg_ == 1) {
                const int r = negRows_[0];
                bool anyNegative = false;
                for (int j = 0; j < last && !anyNegative; ++j)
                    anyNegative = T(r, j) < 0.0f;
                if (!anyNegative) {
                    if (retry())
                        continue;
                    return singular ? 1 : 2;
                }
            }
            ChooseDualPivot();
            row = dualRow_;
            col = dualCol_;
        } else if (nNeg_ == 0) {
            if (nCand_ == 1) {
                const int c = candCols_[0];
                bool anyPositive = false;
                for (int i = 1; i <= m && !anyPositive; ++i)
                    anyPositive = T(i, c) > 0.0f;
                if (!anyPositive) {
                    if (retry())
                        continue;
                    return singular ? 1 : 3;
                }
            }
            ChoosePrimalPivot();
            row = primalRow_;
            col = primalCol_;
        } else {
            ChoosePrimalPivot();
            ChooseDualPivot();
            const bool takeDual = bestPrimal_ == kNoRatio ||
                                  (bestDual_ != kNoRowRatio && std::fabs(bestPrimal_) < std::fabs(bestDual_));
            row = takeDual ? dualRow_ : primalRow_;
            col = takeDual ? dualCol_ : primalCol_;
        }
        if (row == -1 || col == -1) {
            if (retry())
                continue;
            return 1;
        }

        // Degenerate problems can cycle through the same bases for ever under these rules.
        if (iterations_ >= limit)
            return 1;
        ++iterations_;
        Pivot(row, col);
        fresh = false;
    }
}

bool ssMinit::Settled() {
    const int last = rhs();
    const float* top = &T(0, 0);
    for (int j = 0; j < last; ++j)
        if (top[j] < -kTol)
            return false;
    for (int i = 1; i <= m_; ++i)
        if (T(i, last) < -kTol)
            return false;
    return true;
}

bool ssMinit::Refresh(bool full) {
    const int m = m_;
    const int n = n_;
    const int last = rhs();
    const size_t mm = static_cast<size_t>(m);
    // Column k of B is the original column of the variable basic in row k + 1; a row that never
    // pivoted still has its own slack.
    std::vector<int> basic(mm);
    for (int k = 0; k < m; ++k) {
        basic[k] = basis_[k + 1] >= 0 ? basis_[k + 1] : n + k;
        if (basic[k] >= last)
            return false; // an equality row without a basic variable
    }
    auto data = [&](int i, int j) -> double { // row i (0-based) of [A | slacks | b]
        if (j < n)
            return a_(i, j);
        if (j < last)
            return j - n == i ? 1.0 : 0.0;
        return b_(i);
    };
    // Inverse of B by Gauss-Jordan with partial pivoting.
    std::vector<double> bm(mm * mm), inv(mm * mm, 0.0);
    for (int i = 0; i < m; ++i) {
        for (int k = 0; k < m; ++k)
            bm[i * mm + k] = data(i, basic[k]);
        inv[i * mm + i] = 1.0;
    }
    double scale = 0.0;
    for (const double v : bm)
        scale = std::max(scale, std::fabs(v));
    for (int k = 0; k < m; ++k) {
        int best = k;
        for (int i = k + 1; i < m; ++i)
            if (std::fabs(bm[i * mm + k]) > std::fabs(bm[best * mm + k]))
                best = i;
        const double p = bm[best * mm + k];
        // Single-precision data cannot make a pivot this small: the basis is singular, reached
        // by pivoting on a rounding residue.
        if (std::fabs(p) <= 1e-11 * scale)
            return false;
        for (int j = 0; j < m; ++j) {
            std::swap(bm[k * mm + j], bm[best * mm + j]);
            std::swap(inv[k * mm + j], inv[best * mm + j]);
        }
        for (int j = 0; j < m; ++j) {
            bm[k * mm + j] /= p;
            inv[k * mm + j] /= p;
        }
        for (int i = 0; i < m; ++i) {
            const double f = bm[i * mm + k];
            if (i == k || f == 0.0)
                continue;
            for (int j = 0; j < m; ++j) {
                bm[i * mm + j] -= f * bm[k * mm + j];
                inv[i * mm + j] -= f * inv[k * mm + j];
            }
        }
    }
    // Prices of the rows: y = c_B B^-1 (slacks cost nothing).
    std::vector<double> y(mm, 0.0);
    for (int k = 0; k < m; ++k) {
        const double cb = basic[k] < n ? static_cast<double>(c_(basic[k])) : 0.0;
        for (int i = 0; i < m; ++i)
            y[i] += cb * inv[k * mm + i];
    }
    // Row r of the new tableau is w.[A | slacks | b] with w = y for the prices row (less the
    // costs) and row r of B^-1 otherwise. Each entry is a short sum; one that cancels to the
    // rounding of its terms is exactly 0.
    const float* c = c_.raw().data();
    std::vector<const float*> a(mm);
    std::vector<double> b(mm);
    for (int i = 0; i < m; ++i) {
        a[i] = a_.row(i);
        b[i] = b_(i);
    }
    int overflow = 0;
    auto store = [&overflow](double sum, double size) {
        const float f = std::fabs(sum) <= 1e-12 * size ? 0.0f : static_cast<float>(sum);
        overflow |= std::isinf(f);
        return f;
    };
    auto fill = [&](int r, const double* w, bool allColumns) {
        float* out = &T(r, 0);
        if (allColumns) {
            for (int j = 0; j < n; ++j) {
                double sum = r == 0 ? -static_cast<double>(c[j]) : 0.0;
                double size = std::fabs(sum);
                for (int i = 0; i < m; ++i) {
                    const double v = w[i] * a[i][j];
                    sum += v;
                    size += std::fabs(v);
                }
                out[j] = store(sum, size);
            }
            for (int k = 0; k < m - e_; ++k) // slack k has its 1 in row k
                out[n + k] = store(w[k], std::fabs(w[k]));
        }
        double sum = 0.0, size = 0.0;
        for (int i = 0; i < m; ++i) {
            const double v = w[i] * b[i];
            sum += v;
            size += std::fabs(v);
        }
        out[last] = store(sum, size);
    };
    fill(0, y.data(), true);
    for (int r = 0; r < m; ++r)
        fill(r + 1, &inv[r * mm], full);
    if (overflow)
        throw RuntimeError::Overflow();
    return true;
}

void ssMinit::ChoosePrimalPivot() {
    const int m = m_;
    const int last = rhs();
    const int* cand = candCols_.data();
    const int count = nCand_;
    float* ratio = ratioCol_.data();
    int* rowFor = rowForCol_.data();
    for (int k = 0; k < count; ++k) {
        ratio[cand[k]] = kNoRatio;
        rowFor[cand[k]] = 0;
    }
    // Row by row (the tableau is stored by rows); each column still keeps the first row of its
    // least ratio.
    for (int i = 1; i <= m; ++i) {
        const float* ti = &T(i, 0);
        const float r = ti[last];
        if (!(r >= -kTol))
            continue;
        TakeLeastRatios(ti, r, i, cand, count, ratio, rowFor);
    }
    const float* top = &T(0, 0);
    bestPrimal_ = kNoRatio;
    primalCol_ = -1;
    for (int k = 0; k < count; ++k) {
        const int c = cand[k];
        DoEvents(events_);
        const float score = ratio[c] != kNoRatio ? ratio[c] * top[c] : kNoRatio;
        if (score < bestPrimal_) {
            bestPrimal_ = score;
            primalCol_ = c;
        }
    }
    if (primalCol_ >= 0)
        primalRow_ = rowFor[primalCol_];
}

void ssMinit::ChooseDualPivot() {
    const int last = rhs();
    bestDual_ = kNoRowRatio;
    dualRow_ = -1;
    for (int k = 0; k < nNeg_; ++k) {
        const int r = negRows_[k];
        int bestCol = 0;
        float best = kNoRowRatio;
        for (int j = 0; j < last; ++j) {
            const float t = T(r, j);
            const float d = T(0, j);
            if (!(t < -kTol && d >= -kTol))
                continue;
            const float q = d / t;
            if (q > best) {
                best = q;
                bestCol = j;
            }
        }
        colForRow_[r] = bestCol;
        ratioRow_[r] = best;
        const float score = best != kNoRowRatio ? T(r, last) * best : kNoRowRatio;
        if (score > bestDual_) {
            bestDual_ = score;
            dualRow_ = r;
        }
    }
    if (dualRow_ >= 0)
        dualCol_ = colForRow_[dualRow_];
}

namespace {
// row[j] -= f * pivotRow[j] for every j, each difference formed in double and stored in single.
// Returns false when a result lies beyond single range.
bool Eliminate(float* __restrict row, const float* __restrict pivotRow, double f, int cols) {
    // Straight-line body (no branches), so that the compiler can do several entries at once.
    int overflow = 0;
    for (int j = 0; j < cols; ++j) {
        const double a = row[j];
        const double fb = f * static_cast<double>(pivotRow[j]);
        const double d = a - fb;
        const float v = static_cast<float>(d);
        // A difference lost in the rounding of its terms is zero, not a pivot candidate.
        const double lost = kDrop * std::max(std::fabs(a), std::fabs(fb));
        row[j] = std::fabs(d) <= lost ? 0.0f : v;
        overflow |= std::fabs(v) > std::numeric_limits<float>::max();
    }
    return overflow == 0;
}
} // namespace

bool ssMinit::Pivot(int row, int col) {
    if (row == -1 || col == -1)
        return false;
    const int cols = nCols_;
    float* pr = &T(row, 0);
    const float p = pr[col];
    // Entries beyond single range would turn the tableau into infinities and NaNs; the platform
    // stops with Overflow instead.
    bool overflow = false;
    for (int j = 0; j < cols; ++j) {
        pr[j] = pr[j] / p;
        overflow |= std::isinf(pr[j]);
    }
    for (int i = 0; i <= m_; ++i) {
        if (i == row)
            continue;
        float* pi = &T(i, 0);
        const float f = pi[col];
        if (f != 0.0f && !Eliminate(pi, pr, f, cols))
            overflow = true;
    }
    if (overflow)
        throw RuntimeError::Overflow();
    basis_[row] = col;
    return true;
}

void ssMinit::Phase1Scan(const int* cols, int count) {
    const int m = m_;
    const int last = rhs();
    float* ratio = ratioCol_.data();
    int* rowFor = rowForCol_.data();
    for (int i = m - e_ + 1; i <= m; ++i) {
        if (basis_[i] != -1)
            continue;
        const float* ti = &T(i, 0);
        TakeLeastRatios(ti, ti[last], i, cols, count, ratio, rowFor);
    }
    const float* top = &T(0, 0);
    for (int k = 0; k < count; ++k) {
        const int c = cols[k];
        if (ratio[c] < kNoRatio) {
            const float score = top[c] * ratio[c];
            if (score < bestPrimal_) {
                bestPrimal_ = score;
                primalCol_ = c;
            }
        }
    }
}

void ssMinit::Phase1(int16_t& failed) {
    const int n = n_;
    const int m = m_;
    const int last = rhs();
    for (int i = m - e_ + 1; i <= m; ++i)
        if (T(i, last) < 0.0f)
            for (int j = 0; j <= last; ++j)
                T(i, j) = -T(i, j);

    int prevRow = 1;
    int prevCol = -1;
    for (int step = 0; step < e_; ++step) {
        bestPrimal_ = kNoRatio;
        primalCol_ = -1;
        nCand_ = 0;
        for (int j = 0; j < n; ++j) {
            ratioCol_[j] = kNoRatio;
            if (T(0, j) < -kTol)
                candCols_[nCand_++] = j;
        }
        bool allColumns = nCand_ == 0;
        bool firstTry = true;
        bool retried = false;
        for (;;) {
            if (allColumns)
                Phase1Scan(allCols_.data(), n);
            else
                Phase1Scan(candCols_.data(), nCand_);

            if (primalCol_ >= 0) {
                primalRow_ = rowForCol_[primalCol_];
            } else if (firstTry) {
                firstTry = false;
                allColumns = true;
                continue;
            } else {
                primalRow_ = -1;
            }
            // Repeating the last pivot gets nowhere: look once more over every column.
            if (primalRow_ == prevRow && primalCol_ == prevCol && !retried) {
                retried = true;
                allColumns = true;
                continue;
            }
            break;
        }
        if ((primalRow_ == prevRow && primalCol_ == prevCol) || !Pivot(primalRow_, primalCol_)) {
            failed = 1;
            return;
        }
        prevRow = primalRow_;
        prevCol = primalCol_;
    }
    failed = 0;
}

} // namespace yarrow
