#pragma once

#include "RateShock.h"

#include <string>
#include <vector>

namespace yarrow {

class Session;

// The continuous zero curve in double precision: rates (decimals) at times (years), read by
// linear interpolation and flat beyond both ends, as the bond table's curve is read.
struct ZeroCurveKnots {
    std::vector<double> times;
    std::vector<double> rates;
};

// The zero rate at t: the first knot not below t decides the segment, as the table's curve
// is read, so a table out of maturity order reads the same way. 0 on an empty curve.
double ZeroRateAt(const ZeroCurveKnots& curve, double t);

// The table's continuous zero curve as the analytics panel bootstraps it: every bond priced, then
// the bootstrap. The session's own curve is left as it was, whatever compounding it holds.
ZeroCurveKnots ShockBaseCurve(Session& session);

// One bond's schedule: amounts at times in years.
struct BondFlows {
    std::string name;
    double years = 0; // to maturity
    std::vector<double> times;
    std::vector<double> amounts;
};
// Every bond of the table, in table order.
std::vector<BondFlows> TableFlows(const Session& session);

// Sum of cf exp(-y t), and the first and second moments in t ($duration and $convexity).
double FlowsValueAtYield(const BondFlows& bond, double y);
double FlowsDollarDuration(const BondFlows& bond, double y);
double FlowsDollarConvexity(const BondFlows& bond, double y);
// The continuous yield that reprices value (Newton from a guess); NaN when none does.
double ContinuousYield(const BondFlows& bond, double value, double guess = 0.05);

// A bond (or the portfolio) before and after the shock, and what duration and convexity foretold.
struct ShockRow {
    std::string name;
    double years = 0;
    double shiftBp = 0; // s at the maturity
    double value = 0, shocked = 0, change = 0;
    double y0 = 0, y1 = 0, yieldChangeBp = 0;
    double dollarDuration = 0, dollarConvexity = 0; // at y0
    double durationEstimate = 0, convexityEstimate = 0;
    double durationError = 0, convexityError = 0; // estimate minus the exact change
};

// What does not depend on the shock, computed once per curve: each flow's zero rate, and the
// bond's value, yield, $duration and $convexity before the shock.
struct CurveBond {
    BondFlows flows;
    std::vector<double> zeros; // z(t) of each flow
    double value = 0, y0 = 0, dollarDuration = 0, dollarConvexity = 0;
};
CurveBond PrepareBond(const BondFlows& bond, const ZeroCurveKnots& curve);
std::vector<CurveBond> PrepareTable(const std::vector<BondFlows>& bonds, const ZeroCurveKnots& curve);

// The bond under the shock: its shocked value, yield, and the two estimates with their errors.
ShockRow ShockBond(const CurveBond& bond, const ShockKnots& shock);
std::vector<ShockRow> ShockTable(const std::vector<CurveBond>& bonds, const ShockKnots& shock);

// A holding of the portfolio, named as the table names the bond.
struct Holding {
    std::string name;
    double quantity = 0;
};
// "Bond TAB Quantity" lines as `optimize` prints them (its heading line is skipped; commas
// separate as well as TABs; blank lines are ignored). ShockInputError for a line that is not a
// name and a number.
std::vector<Holding> ParseHoldings(const std::string& text);
// The quantity of each row's bond (the first row of a name takes it; repeated names add up).
// ShockInputError naming the holdings that name no bond.
std::vector<double> QuantitiesForRows(const std::vector<ShockRow>& rows,
                                      const std::vector<Holding>& holdings);
// "Portfolio": the quantity-weighted sums of value, shocked value, change, both estimates and errors.
ShockRow PortfolioRow(const std::vector<ShockRow>& rows, const std::vector<double>& quantities);

// The table as the window and the command line show it: the heading, then one line per row.
// Money to 4 decimals, basis points to 2; the portfolio row leaves Years, Shift and Yield change
// empty.
std::vector<std::string> ShockTableHeading();
std::vector<std::string> ShockTableCells(const ShockRow& row, bool portfolio = false);

} // namespace yarrow
