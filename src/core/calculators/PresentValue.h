#pragma once

#include <optional>
#include <string>

namespace yarrow {

class Dialogs;
class GridModel;

// The present-value table: 25 rows (a heading row and 24 rows of time, yield, amount).
void SetupPresentValueGrid(GridModel& grid);

// The sum of amount x exp(-yield x time) over the rows, in single precision, as "#####0.00####".
// Yields of 1 or more are percentages; empty cells count as 0. A cell that is neither empty nor a
// number shows "Non-numeric entry in table" and gives no value. Reads each cell as the current
// cell, row by row. A sum beyond the single range raises Overflow.
std::optional<std::string> PresentValue(GridModel& grid, Dialogs& dialogs);

} // namespace yarrow
