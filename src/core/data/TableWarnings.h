#pragma once

#include <string>
#include <vector>

namespace yarrow {

class GridModel;
class RuntimeError;
class Session;

// Results that are computed correctly from what was given and still are probably not what the
// student meant. Each function returns whole sentences, one per finding, for the status bar or
// stderr; the tables themselves are not changed.

// A row without a name that ends the table while named rows follow it.
std::vector<std::string> BondTableWarnings(const Session& session, const GridModel& grid);
// Bonds of the table with the same maturity: the curve has two points at one time.
std::vector<std::string> CurveWarnings(const Session& session);
// A Nelson-Siegel fit over fewer than three different maturities: its normal equations are
// singular, so the fitted parameters mean nothing.
std::vector<std::string> NelsonSiegelFitWarnings(const Session& session);

// Where BuildBondTable stopped with e: "Grid row 7 (2Y): Type mismatch". The table holds the
// rows above the failing one, so the row is nBonds + 2.
std::string BondTableErrorText(const Session& session, const GridModel& grid, const RuntimeError& e);

} // namespace yarrow
