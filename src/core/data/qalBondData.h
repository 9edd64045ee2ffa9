#pragma once

#include "core/text/Precision.h"

#include <cstdint>
#include <string>

namespace yarrow {

class GridModel;
class Session;

// The bond table module: builds the table from the data grid, bootstraps the zero curve and
// reads it.

// Turns rows 2.. of the data grid (columns 1 name, 2 coupon in percent, 3 maturity text, 4 quote)
// into session.Bonds, bond i from row i + 1, all seen from quoteDateText (program date format).
// A row is a bill when its lower-cased name contains "bill" or its name contains "TD"; a row with
// coupon 0 and quote below 10 asks session.dialogs "Is <name> a Treasury bill (or time deposit)?"
// (no dialogs: No). Bills: SetTBill(maturity, quote date, quote, 100); others: SetTBond with
// frequency 2 and face 100. The first row without a name (IsBlankName) ends the table.
// A row that fails (a maturity that is not a date, a number beyond the single range) raises its
// RuntimeError; the table then holds the rows before it (nBonds = the last good bond). A grid of
// fewer than 2 rows raises SubscriptOutOfRange and leaves the table empty.
void BuildBondTable(Session& session, const GridModel& grid, const std::string& quoteDateText);

// A name of blanks (spaces, TABs, line breaks) or nothing: the row ends the table. A paste leaves
// " " in the first cell of the row after its last line break.
bool IsBlankName(const std::string& name);
// The rows 2.. of the grid that BuildBondTable takes: those above the first blank name.
int NamedRowCount(const GridModel& grid);

// Rebuilds session.ZeroYields/ZeroTimes (0..nBonds) bond by bond in table order with
// qalBond::BootStrapNewton. CompFreq: -1 (or any value <= 0) continuous, otherwise periods a year.
// Each bond's PriceValue must be current (GetPrice has run since the quotes last changed).
void BootstrapZeroCurve(Session& session, int16_t CompFreq);

// cf * exp(-t * z), z the session's zero rate at t (linear, flat beyond the ends). Without a
// session, or before any bootstrap, z is 0. A curve shorter than the table (bonds added after the
// last bootstrap) is read over the points it has.
double ZeroCurvePV(const Session* session, float cf, float t);

// Forward rates in place: ZeroYields(i) becomes the rate, in the compounding of CompFreq, from
// the maturity of point i - 1 to that of point i, for i = 2..N; point 1 keeps its zero rate and
// point 0 is untouched. Two points at the same time raise DivisionByZero.
void Forwards(Array1<float>& ZeroYields, const Array1<float>& ZeroTimes, int16_t N, int16_t CompFreq);
// The same on the session's curve with N = nBonds.
void Forwards(Session& session, int16_t CompFreq);

} // namespace yarrow
