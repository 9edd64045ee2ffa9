#include "core/grid/GridModel.h"

#include "core/text/RuntimeError.h"

#include <algorithm>

namespace yarrow {

namespace {

// A grid is fine as long as it has at least one cell beyond its headings and stays within a size
// a window can show; anything else is refused before memory is touched.
void CheckShape(int rows, int cols, int fixedRows, int fixedCols) {
    if (rows < 1 || cols < 1 || fixedRows < 0 || fixedCols < 0 || fixedRows >= rows || fixedCols >= cols)
        throw RuntimeError::InvalidPropertyValue();
    if (static_cast<long long>(rows) * cols > GridModel::kMaxCells)
        throw RuntimeError::InvalidPropertyValue();
}

} // namespace

GridModel::GridModel(int rows, int cols, int fixedRows, int fixedCols) {
    CheckShape(rows, cols, fixedRows, fixedCols);
    rows_ = rows;
    cols_ = cols;
    fixedRows_ = fixedRows;
    fixedCols_ = fixedCols;
    cells_.assign(static_cast<size_t>(rows) * static_cast<size_t>(cols), std::string());
    row_ = rowSel_ = fixedRows;
    col_ = colSel_ = fixedCols;
}

GridModel::GridModel(const GridModel& other)
    : rows_(other.rows_), cols_(other.cols_), fixedRows_(other.fixedRows_), fixedCols_(other.fixedCols_),
      row_(other.row_), col_(other.col_), rowSel_(other.rowSel_), colSel_(other.colSel_),
      cells_(other.cells_) {}

GridModel& GridModel::operator=(const GridModel& other) {
    if (this == &other)
        return *this;
    rows_ = other.rows_;
    cols_ = other.cols_;
    fixedRows_ = other.fixedRows_;
    fixedCols_ = other.fixedCols_;
    row_ = other.row_;
    col_ = other.col_;
    rowSel_ = other.rowSel_;
    colSel_ = other.colSel_;
    cells_ = other.cells_;
    NotifyShape();
    NotifyCells(0, 0, rows_ - 1, cols_ - 1);
    NotifySelection();
    return *this;
}

void GridModel::SetRows(int rows) {
    CheckShape(rows, cols_, fixedRows_, fixedCols_);
    // Row-major storage: rows are added or dropped at the end.
    cells_.resize(static_cast<size_t>(rows) * static_cast<size_t>(cols_));
    rows_ = rows;
    const bool moved = ClampSelection();
    NotifyShape();
    if (moved)
        NotifySelection();
}

void GridModel::SetCols(int cols) {
    CheckShape(rows_, cols, fixedRows_, fixedCols_);
    std::vector<std::string> cells(static_cast<size_t>(rows_) * static_cast<size_t>(cols));
    const int keep = std::min(cols, cols_);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < keep; ++c)
            cells[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] =
                std::move(cells_[Index(r, c)]);
    cells_ = std::move(cells);
    cols_ = cols;
    const bool moved = ClampSelection();
    NotifyShape();
    if (moved)
        NotifySelection();
}

void GridModel::SetFixedRows(int n) {
    CheckShape(rows_, cols_, n, fixedCols_);
    fixedRows_ = n;
    NotifyShape();
}

void GridModel::SetFixedCols(int n) {
    CheckShape(rows_, cols_, fixedRows_, n);
    fixedCols_ = n;
    NotifyShape();
}

const std::string& GridModel::TextMatrix(int row, int col) const {
    CheckCell(row, col);
    return cells_[Index(row, col)];
}

void GridModel::SetTextMatrix(int row, int col, std::string text) {
    CheckCell(row, col);
    cells_[Index(row, col)] = std::move(text);
    NotifyCells(row, col, row, col);
}

void GridModel::Clear() {
    for (auto& cell : cells_)
        cell.clear();
    NotifyCells(0, 0, rows_ - 1, cols_ - 1);
}

void GridModel::SetRow(int row) {
    CheckRow(row);
    row_ = rowSel_ = row;
    colSel_ = col_;
    NotifySelection();
}

void GridModel::SetCol(int col) {
    CheckCol(col);
    col_ = colSel_ = col;
    rowSel_ = row_;
    NotifySelection();
}

void GridModel::SetRowSel(int row) {
    CheckRow(row);
    rowSel_ = row;
    NotifySelection();
}

void GridModel::SetColSel(int col) {
    CheckCol(col);
    colSel_ = col;
    NotifySelection();
}

void GridModel::Select(int row, int col, int rowSel, int colSel) {
    // All four corners are checked first so a refused selection leaves the old one whole.
    CheckCell(row, col);
    CheckCell(rowSel, colSel);
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    NotifySelection();
}

GridModel::Range GridModel::Selection() const {
    return Range{std::min(row_, rowSel_), std::min(col_, colSel_), std::max(row_, rowSel_),
                 std::max(col_, colSel_)};
}

std::string GridModel::Clip() const {
    const Range sel = Selection();
    std::string text;
    for (int r = sel.row1; r <= sel.row2; ++r) {
        if (r > sel.row1)
            text += '\r';
        for (int c = sel.col1; c <= sel.col2; ++c) {
            if (c > sel.col1)
                text += '\t';
            text += cells_[Index(r, c)];
        }
    }
    return text;
}

void GridModel::SetClip(std::string_view text) {
    const Range sel = Selection();
    int lastRow = sel.row1;
    int lastCol = sel.col1;
    size_t pos = 0;
    for (int r = sel.row1; r <= sel.row2; ++r) {
        const size_t rowEnd = std::min(text.find('\r', pos), text.size());
        const std::string_view line = text.substr(pos, rowEnd - pos);
        size_t fieldPos = 0;
        for (int c = sel.col1; c <= sel.col2; ++c) {
            const size_t fieldEnd = std::min(line.find('\t', fieldPos), line.size());
            cells_[Index(r, c)] = std::string(line.substr(fieldPos, fieldEnd - fieldPos));
            lastCol = std::max(lastCol, c);
            if (fieldEnd == line.size())
                break;
            fieldPos = fieldEnd + 1;
        }
        lastRow = r;
        if (rowEnd == text.size())
            break;
        pos = rowEnd + 1;
    }
    NotifyCells(sel.row1, sel.col1, lastRow, lastCol);
}

void GridModel::CheckCell(int row, int col) const {
    CheckRow(row);
    CheckCol(col);
}

void GridModel::CheckRow(int row) const {
    if (row < 0 || row >= rows_)
        throw RuntimeError::SubscriptOutOfRange();
}

void GridModel::CheckCol(int col) const {
    if (col < 0 || col >= cols_)
        throw RuntimeError::SubscriptOutOfRange();
}

bool GridModel::ClampSelection() {
    const int r = row_, c = col_, rs = rowSel_, cs = colSel_;
    row_ = std::min(row_, rows_ - 1);
    rowSel_ = std::min(rowSel_, rows_ - 1);
    col_ = std::min(col_, cols_ - 1);
    colSel_ = std::min(colSel_, cols_ - 1);
    return r != row_ || c != col_ || rs != rowSel_ || cs != colSel_;
}

void GridModel::NotifyShape() {
    if (observer_)
        observer_->GridShapeChanged();
}

void GridModel::NotifyCells(int r1, int c1, int r2, int c2) {
    if (observer_)
        observer_->GridCellsChanged(r1, c1, r2, c2);
}

void GridModel::NotifySelection() {
    if (observer_)
        observer_->GridSelectionChanged();
}

} // namespace yarrow
