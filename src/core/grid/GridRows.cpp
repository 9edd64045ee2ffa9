#include "core/grid/GridRows.h"

#include "core/grid/GridModel.h"
#include "core/numeric/Precision.h"

#include <algorithm>

namespace yarrow {

namespace {

void MoveRow(GridModel& grid, int from, int to) {
    for (int c = 0; c < grid.Cols(); ++c)
        grid.SetTextMatrix(to, c, grid.TextMatrix(from, c));
}

void ClearRow(GridModel& grid, int row) {
    for (int c = 0; c < grid.Cols(); ++c)
        grid.SetTextMatrix(row, c, "");
}

} // namespace

void InsertGridRow(GridModel& grid, int row) {
    if (row < grid.FixedRows() || row > grid.Rows())
        ThrowSubscriptOutOfRange();
    grid.SetRows(grid.Rows() + 1);
    for (int r = grid.Rows() - 1; r > row; --r)
        MoveRow(grid, r - 1, r);
    ClearRow(grid, row);
}

void DeleteGridRows(GridModel& grid, int row1, int row2) {
    const int first = std::min(row1, row2);
    const int last = std::max(row1, row2);
    if (first < grid.FixedRows() || last >= grid.Rows())
        ThrowSubscriptOutOfRange();
    const int count = last - first + 1;
    for (int r = last + 1; r < grid.Rows(); ++r)
        MoveRow(grid, r, r - count);
    const int rows = std::max(grid.Rows() - count, grid.FixedRows() + 1);
    for (int r = grid.Rows() - count; r < rows; ++r)
        ClearRow(grid, r);
    grid.SetRows(rows);
}

} // namespace yarrow
