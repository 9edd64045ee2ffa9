#pragma once

#include "core/numeric/Precision.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace yarrow {

class GridModel;
class PendingEvents;
class Session;

// The holdings of the table's bonds that reach a target value and dollar duration, either at the
// greatest duration-weighted yield or at the least dollar convexity above a target convexity.
enum class Strategy { MaxYield = 0, MinConvexity = 1 };

struct PortfolioTargets {
    float value = 0.0f;
    float dollarDuration = 0.0f;
    float dollarConvexity = 0.0f; // read by MinConvexity only
};

struct PortfolioSolution {
    int16_t status = 1; // the solver's status: 0 optimum, 1 no pivot, 2 infeasible, 3 unbounded
    Array1<float> x;    // quantity of bond i in element i - 1; all 0 unless status is 0
    float objective = 0.0f;
    std::vector<int> leftOut; // bonds (1-based) kept out of the programme: no yield fits their price
};

// The measures the programmes ask of bond i (1-based), in the order they need them.
enum class BondMeasure { Price, Yield, DollarDuration, DollarConvexity };
using BondMeasureFn = std::function<float(int16_t bond, BondMeasure measure)>;

// Builds and solves the programme over n bonds whose measures `measure` gives:
//   MaxYield:     max sum(Y_i D_i x_i)  s.t. sum(D_i x_i) = D, sum(P_i x_i) = V, x >= 0
//   MinConvexity: min sum(C_i x_i)      s.t. sum(C_i x_i) >= C, sum(D_i x_i) = D, sum(P_i x_i) = V, x >= 0
// Each bond measure is asked when the programme needs it.
PortfolioSolution SolvePortfolio(int16_t n, const BondMeasureFn& measure, Strategy strategy,
                                 const PortfolioTargets& targets, PendingEvents* events = nullptr);
// The same over the session's bond table. A bond whose yield search fails has no dollar measures:
// it is left out of the programme (listed in leftOut) and holds 0.
PortfolioSolution SolvePortfolio(Session& session, Strategy strategy, const PortfolioTargets& targets);

// One sentence on the outcome, for the panel's status bar and the command line: the holdings were
// found, none meet the targets, the problem is unbounded, or the solver stopped; then the bonds
// left out, if any.
std::string SolveStatusText(const Session& session, const PortfolioSolution& solution);

// Writes the quantities, "####0.0000", into column 1 of the analytics bond grid (rows 1..nBonds).
void WriteQuantities(const PortfolioSolution& solution, int16_t nBonds, GridModel& bondGrid);

} // namespace yarrow
