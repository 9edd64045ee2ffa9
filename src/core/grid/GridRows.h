#pragma once

namespace yarrow {

class GridModel;

// Rows added and taken away by hand (a grid's Insert Row and Delete Row).

// Inserts an empty row at `row` (a body row, or the row just past the last): the rows from there
// move down one, and the grid grows by one row. Other rows raise SubscriptOutOfRange.
void InsertGridRow(GridModel& grid, int row);
// Deletes the body rows row1..row2 (in either order): the rows below move up and the grid
// shrinks, never below its heading rows plus one. Heading rows and rows outside the grid raise
// SubscriptOutOfRange.
void DeleteGridRows(GridModel& grid, int row1, int row2);

} // namespace yarrow
