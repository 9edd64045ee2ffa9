#pragma once

#include "core/numeric/Precision.h"

#include <cstdint>
#include <string>

namespace yarrow {

class GridModel;
class Session;

// The bond table module: builds the table from the data grid.

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

} // namespace yarrow
