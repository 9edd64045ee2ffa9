#include "PortfolioOptimizer.h"

#include "core/analytics/AnalyticsGrid.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/numeric/ssMinit.h"
#include "core/seams/PendingEvents.h"
#include "core/text/NumberText.h"

namespace yarrow {

PortfolioSolution SolvePortfolio(int16_t n, const BondMeasureFn& measure, Strategy strategy,
                                 const PortfolioTargets& targets, PendingEvents* events) {
    using M = BondMeasure;
    PortfolioSolution solution;
    solution.x.Redim(n);
    ssMinit solver(events);
    Array1<float> shadow;
    if (strategy == Strategy::MinConvexity) {
        shadow.Redim(3);
        solver.Initialize(n, 3, 2);
        for (int16_t i = 1; i <= n; ++i) {
            solver.setObjectiveVector(i, -measure(i, M::DollarConvexity));
            solver.setConstraintMatrix(1, i, -measure(i, M::DollarConvexity));
            solver.setConstraintMatrix(2, i, measure(i, M::DollarDuration));
            solver.setConstraintMatrix(3, i, measure(i, M::Price));
        }
        solver.setConstraintVector(1, -targets.dollarConvexity);
        solver.setConstraintVector(2, targets.dollarDuration);
        solver.setConstraintVector(3, targets.value);
    } else {
        shadow.Redim(2);
        solver.Initialize(n, 2, 2);
        for (int16_t i = 1; i <= n; ++i) {
            const float d = measure(i, M::DollarDuration);
            solver.setObjectiveVector(i, CSng(double(measure(i, M::Yield)) * d));
            solver.setConstraintMatrix(1, i, measure(i, M::DollarDuration));
            solver.setConstraintMatrix(2, i, measure(i, M::Price));
        }
        solver.setConstraintVector(1, targets.dollarDuration);
        solver.setConstraintVector(2, targets.value);
    }
    solution.status = solver.MinIt(solution.x, shadow, solution.objective);
    if (solution.status != 0) {
        // Without an optimum the quantities stay at their zero start.
        solution.x.Redim(n);
        solution.objective = 0.0f;
    }
    DoEvents(events);
    return solution;
}

PortfolioSolution SolvePortfolio(Session& session, Strategy strategy, const PortfolioTargets& targets) {
    const int16_t n = session.nBonds;
    std::vector<int16_t> bonds; // the programme's variable k is bond bonds[k - 1]
    std::vector<int> leftOut;
    for (int16_t i = 1; i <= n; ++i) {
        if (session.Bond(i).GetYTM() == kNoYield)
            leftOut.push_back(i);
        else
            bonds.push_back(i);
    }
    auto measure = [&session, &bonds](int16_t k, BondMeasure m) -> float {
        qalBond& bond = session.Bond(bonds.at(size_t(k - 1)));
        switch (m) {
        case BondMeasure::Price:
            return bond.GetPrice();
        case BondMeasure::Yield:
            return bond.GetYTM();
        case BondMeasure::DollarDuration:
            return bond.GetDollarDuration();
        case BondMeasure::DollarConvexity:
            return bond.GetDollarConvexity();
        }
        return 0.0f;
    };
    PortfolioSolution reduced =
        SolvePortfolio(int16_t(bonds.size()), measure, strategy, targets, session.events);
    if (leftOut.empty())
        return reduced;
    PortfolioSolution solution;
    solution.status = reduced.status;
    solution.objective = reduced.objective;
    solution.leftOut = std::move(leftOut);
    solution.x.Redim(n);
    for (size_t k = 0; k < bonds.size(); ++k)
        solution.x(bonds[k] - 1) = reduced.x(int(k));
    return solution;
}

std::string SolveStatusText(const Session& session, const PortfolioSolution& solution) {
    std::string text;
    switch (solution.status) {
    case 0:
        text = "Solved: the quantities meet the targets.";
        break;
    case 2:
        text = "No holdings meet the targets: every quantity is 0.";
        break;
    case 3:
        text = "The problem is unbounded: every quantity is 0.";
        break;
    default:
        text = "The solver stopped without an answer (no usable pivot; the targets may be out of reach "
               "of these bonds): every quantity is 0.";
        break;
    }
    if (!solution.leftOut.empty()) {
        std::string names;
        for (int i : solution.leftOut)
            names += (names.empty() ? "" : ", ") + session.Bond(i).GetName();
        text += " Left out, as no yield fits their price: " + names + ".";
    }
    return text;
}

void WriteQuantities(const PortfolioSolution& solution, int16_t nBonds, GridModel& bondGrid) {
    for (int i = 1; i <= nBonds; ++i)
        bondGrid.SetTextMatrix(i, 1, FormatPattern(solution.x(i - 1), "####0.0000"));
}

} // namespace yarrow
