#include "AnalyticsGrid.h"

#include "core/data/Session.h"
#include "core/curves/SessionZeroCurve.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/seams/PendingEvents.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"

namespace yarrow {

std::vector<int> FillAnalyticsGrid(Session& session, GridModel& bondGrid, GridModel& cashFlowGrid) {
    cashFlowGrid.Clear();
    cashFlowGrid.SetTextMatrix(0, 0, "Time");
    cashFlowGrid.SetTextMatrix(0, 1, "Cash Flow");

    const int n = session.nBonds;
    bondGrid.Clear();
    bondGrid.SetRows(n + 1);
    bondGrid.SetCols(8);
    const char* headings[] = {"Quantity",   "Value",    "Yield",    "$Duration",
                              "$Convexity", "Duration", "Convexity"};
    for (int c = 1; c <= 7; ++c)
        bondGrid.SetTextMatrix(0, c, headings[c - 1]);

    std::vector<int> noYield;
    for (int i = 1; i <= n; ++i) {
        qalBond& bond = session.BondOrNew(i);
        // Each cell asks the bond afresh, as the listing always has.
        bondGrid.SetTextMatrix(i, 0, bond.GetName());
        bondGrid.SetTextMatrix(i, 1, "0");
        bondGrid.SetTextMatrix(i, 2, FormatPattern(bond.GetPrice(), "####0.0000"));
        const float yield = bond.GetYTM();
        bondGrid.SetTextMatrix(i, 3, FormatPattern(CSng(double(yield) * 100.0), "####0.0000"));
        if (yield == kNoYield) {
            noYield.push_back(i);
            for (int c = 4; c <= 7; ++c)
                bondGrid.SetTextMatrix(i, c, kNotAvailable);
            continue;
        }
        bondGrid.SetTextMatrix(i, 4, FormatPattern(bond.GetDollarDuration(), "####0.00"));
        bondGrid.SetTextMatrix(i, 5, FormatPattern(bond.GetDollarConvexity(), "####0.00"));
        const float duration = bond.GetDollarDuration();
        bondGrid.SetTextMatrix(i, 6, FormatPattern(CSng(Divide(duration, bond.GetPrice())), "####0.0000"));
        const float convexity = bond.GetDollarConvexity();
        bondGrid.SetTextMatrix(i, 7, FormatPattern(CSng(Divide(convexity, bond.GetPrice())), "####0.0000"));
    }
    DoEvents(session.events);
    BootstrapZeroCurve(session, -1);
    DoEvents(session.events);
    return noYield;
}

std::string NoYieldNote(const Session& session, const std::vector<int>& bonds) {
    if (bonds.empty())
        return {};
    std::string names;
    for (int i : bonds)
        names += (names.empty() ? "" : ", ") + session.Bond(i).GetName();
    return "No yield between 0.01% and 99% fits the price of " + names +
           ": the risk measures show n/a and the solve leaves " + (bonds.size() == 1 ? "it" : "them") +
           " out.";
}

} // namespace yarrow
