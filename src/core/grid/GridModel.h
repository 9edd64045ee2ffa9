#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace yarrow {

// Notified after the model changes, so a view can repaint.
class GridObserver {
public:
    virtual ~GridObserver() = default;
    virtual void GridShapeChanged() = 0; // rows, columns or fixed rows/columns
    virtual void GridCellsChanged(int row1, int col1, int row2, int col2) = 0;
    virtual void GridSelectionChanged() = 0;
};

// A grid of cell texts with heading rows/columns and a selected range.
// Row and column indexes start at 0 and include the fixed (heading) ones.
// An index outside the grid raises SubscriptOutOfRange; an invalid size InvalidPropertyValue.
class GridModel {
public:
    // Largest number of cells a grid may hold; a larger size is an invalid property value.
    static constexpr long long kMaxCells = 2'000'000;

    GridModel(int rows = 2, int cols = 2, int fixedRows = 1, int fixedCols = 1);
    // A copy starts without an observer (a view watches one grid); assigning keeps the target's
    // observer and tells it that everything changed.
    GridModel(const GridModel& other);
    GridModel& operator=(const GridModel& other);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    // Resizing keeps the texts of cells that remain; new cells are empty. The selection is
    // clamped into the grid. Fixed rows/columns must stay below the size.
    void SetRows(int rows);
    void SetCols(int cols);
    void SetFixedRows(int n);
    void SetFixedCols(int n);

    const std::string& TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, std::string text);
    // Empties every cell (size and selection stay).
    void Clear();

    // Selection: (Row, Col) is the current cell, (RowSel, ColSel) the other corner.
    int Row() const { return row_; }
    int Col() const { return col_; }
    int RowSel() const { return rowSel_; }
    int ColSel() const { return colSel_; }
    // Moving the current cell collapses the selection onto it.
    void SetRow(int row);
    void SetCol(int col);
    void SetRowSel(int row);
    void SetColSel(int col);
    void Select(int row, int col, int rowSel, int colSel);

    // The selected rectangle with its corners ordered (row1 <= row2, col1 <= col2).
    struct Range {
        int row1, col1, row2, col2;
    };
    Range Selection() const;

    // Range text of the selection: TAB between cells, CR between rows, nothing after the last.
    std::string Clip() const;
    // Fills the selected range from its top-left cell, row by row; text beyond the range is
    // ignored, cells without a field keep their text.
    void SetClip(std::string_view text);

    void SetObserver(GridObserver* observer) { observer_ = observer; }

private:
    void CheckCell(int row, int col) const;
    void CheckRow(int row) const;
    void CheckCol(int col) const;
    size_t Index(int row, int col) const {
        return static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col);
    }
    bool ClampSelection(); // true when a corner moved
    void NotifyShape();
    void NotifyCells(int r1, int c1, int r2, int c2);
    void NotifySelection();

    int rows_ = 0, cols_ = 0, fixedRows_ = 0, fixedCols_ = 0;
    int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
    std::vector<std::string> cells_;
    GridObserver* observer_ = nullptr;
};

} // namespace yarrow
