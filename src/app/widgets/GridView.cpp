#include "widgets/GridView.h"

#include "core/grid/GridRows.h"
#include "core/grid/GridText.h"
#include "core/seams/Clipboard.h"
#include "core/text/RuntimeError.h"
#include "base/Twips.h"
#include "widgets/GridCellEditor.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>
#include <algorithm>

namespace yarrow {

GridItemModel::GridItemModel(GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
    grid_.SetObserver(this);
}

GridItemModel::~GridItemModel() {
    grid_.SetObserver(nullptr);
}

int GridItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Rows() + (typingRow_ ? 1 : 0);
}

int GridItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : typingRow_ ? std::max(grid_.Cols(), typingCols_) : grid_.Cols();
}

void GridItemModel::SetTypingRow(bool on, int minCols) {
    beginResetModel();
    typingRow_ = on;
    typingCols_ = minCols;
    endResetModel();
}

bool GridItemModel::IsTypingCell(const QModelIndex& index) const {
    return index.isValid() && (index.row() >= grid_.Rows() || index.column() >= grid_.Cols());
}

bool GridItemModel::GrowToHold(const QModelIndex& index) {
    try {
        // Grows the grid: the view is reset and its selection taken from the grid.
        if (index.row() >= grid_.Rows())
            grid_.SetRows(index.row() + 1);
        if (index.column() >= grid_.Cols())
            grid_.SetCols(index.column() + 1);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

QVariant GridItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const bool fixed = index.row() < grid_.FixedRows() || index.column() < grid_.FixedCols();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (IsTypingCell(index))
            return QString();
        return QString::fromStdString(grid_.TextMatrix(index.row(), index.column()));
    case Qt::BackgroundRole:
        if (fixed)
            return QApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        // Heading cells are shaded like buttons: their text takes the button text colour to keep
        // its contrast in any palette.
        if (fixed)
            return QApplication::palette().brush(QPalette::ButtonText);
        return {};
    default:
        return {};
    }
}

bool GridItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const std::string text = value.toString().toStdString();
    if (IsTypingCell(index)) {
        if (text.empty())
            return true;
        if (!GrowToHold(index))
            return false;
    }
    grid_.SetTextMatrix(index.row(), index.column(), text);
    return true;
}

Qt::ItemFlags GridItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() < grid_.FixedRows() || index.column() < grid_.FixedCols())
        return Qt::ItemIsEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable_)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant GridItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0) {
        if (grid_.FixedRows() > 0 && section < grid_.Cols() && !grid_.TextMatrix(0, section).empty())
            return QString::fromStdString(grid_.TextMatrix(0, section));
        if (section < headings_.size() && !headings_[section].isEmpty())
            return headings_[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void GridItemModel::GridShapeChanged() {
    beginResetModel();
    endResetModel();
}

void GridItemModel::GridCellsChanged(int row1, int col1, int row2, int col2) {
    emit dataChanged(index(row1, col1), index(row2, col2), {Qt::DisplayRole, Qt::EditRole});
    if (row1 == 0 && grid_.FixedRows() > 0)
        emit headerDataChanged(Qt::Horizontal, col1, col2);
}

void GridItemModel::GridSelectionChanged() {
    emit SelectionChangedInGrid();
}

GridView::GridView(QWidget* parent) : QTableView(parent), items_(new GridItemModel(grid_, this)) {
    setModel(items_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    FitRowHeight();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &GridView::ViewSelectionToModel);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &GridView::ViewSelectionToModel);
    connect(items_, &GridItemModel::SelectionChangedInGrid, this, &GridView::ModelSelectionToView);
    // A reset loses the view's selection and column widths: restore them from the model.
    connect(items_, &QAbstractItemModel::modelReset, this, [this] {
        ApplyColumnWidths();
        ModelSelectionToView();
    });
    // After the view's own handlers, so the editor sees the grid's new cell.
    cellEditor_ = new GridCellEditor(this);
    setItemDelegate(cellEditor_);
}

void GridView::SetEditable(bool on) {
    items_->SetEditable(on);
}

void GridView::SetRowTyping(bool on, int minCols) {
    items_->SetTypingRow(on, minCols);
    if (!on)
        return;
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* insert = new QAction("Insert Row", this);
    insert->setObjectName("mnuInsertRow");
    insert->setToolTip("Insert an empty row above the current one");
    connect(insert, &QAction::triggered, this, &GridView::InsertRow);
    auto* remove = new QAction("Delete Row", this);
    remove->setObjectName("mnuDeleteRow");
    remove->setToolTip("Delete the selected rows");
    connect(remove, &QAction::triggered, this, &GridView::DeleteRows);
    addActions({insert, remove});
}

void GridView::InsertRow() {
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : grid_.Rows();
    try {
        InsertGridRow(grid_, std::clamp(row, grid_.FixedRows(), grid_.Rows()));
    } catch (const RuntimeError&) {
        // A grid at its size limit takes no more rows.
    }
}

void GridView::DeleteRows() {
    const GridModel::Range sel = grid_.Selection();
    const QModelIndex current = currentIndex();
    // The typing row is not a row of the grid: only rows of the grid are deleted.
    if (current.isValid() && items_->IsTypingCell(current) && current.row() >= grid_.Rows())
        return;
    try {
        DeleteGridRows(grid_, std::max(sel.row1, grid_.FixedRows()), sel.row2);
    } catch (const RuntimeError&) {
    }
}

void GridView::GrowToCurrentCell() {
    const QModelIndex current = currentIndex();
    if (!items_->IsTypingCell(current) || !items_->GrowToHold(current))
        return;
    grid_.Select(current.row(), current.column(), current.row(), current.column());
}

void GridView::Copy(Clipboard& clipboard, Dialogs& dialogs) {
    CopyGridSelection(grid_, clipboard, dialogs);
}

void GridView::Paste(Clipboard& clipboard, Dialogs& dialogs) {
    GrowToCurrentCell();
    if (pasteHandler_)
        pasteHandler_();
    else if (growOnPaste_)
        PasteGrowingGrid(grid_, clipboard, dialogs);
    else
        PasteToGridSelection(grid_, clipboard, dialogs);
}

void GridView::SetColumnTwips(const std::vector<int>& widths) {
    columnTwips_ = widths;
    ApplyColumnWidths();
}

void GridView::ApplyColumnWidths() {
    // Widths are given for the normal 8-point type; larger type widens the columns with it, and
    // bold type (the large display's) by about an eighth more.
    const double scale = std::max(1.0, font().pointSizeF() / 8.0) * (font().bold() ? 1.13 : 1.0);
    for (size_t c = 0; c < columnTwips_.size() && int(c) < items_->columnCount(); ++c)
        setColumnWidth(int(c), PixelsFromTwips(columnTwips_[c] * scale));
}

void GridView::FitRowHeight() {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void GridView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        FitRowHeight();
        ApplyColumnWidths();
    }
    QTableView::changeEvent(event);
}

void GridView::ViewSelectionToModel() {
    if (syncing_)
        return;
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    int top = current.row(), bottom = current.row();
    int left = current.column(), right = current.column();
    const QItemSelection selection = selectionModel()->selection();
    if (!selection.isEmpty()) {
        top = bottom = selection.first().top();
        left = right = selection.first().left();
        for (const QItemSelectionRange& range : selection) {
            top = std::min(top, range.top());
            bottom = std::max(bottom, range.bottom());
            left = std::min(left, range.left());
            right = std::max(right, range.right());
        }
    }
    if (current.row() < top || current.row() > bottom || current.column() < left ||
        current.column() > right) {
        top = bottom = current.row();
        left = right = current.column();
    }
    // The current cell is the moving corner; the start of the selection is the opposite one.
    const int anchorRow = current.row() == top ? bottom : top;
    const int anchorCol = current.column() == left ? right : left;
    syncing_ = true;
    try {
        grid_.Select(anchorRow, anchorCol, current.row(), current.column());
    } catch (const RuntimeError&) {
    }
    syncing_ = false;
}

void GridView::ModelSelectionToView() {
    if (syncing_)
        return;
    syncing_ = true;
    const QModelIndex a = items_->index(grid_.Row(), grid_.Col());
    const QModelIndex b = items_->index(grid_.RowSel(), grid_.ColSel());
    if (a.isValid() && b.isValid()) {
        selectionModel()->select(QItemSelection(a, b), QItemSelectionModel::ClearAndSelect);
        selectionModel()->setCurrentIndex(b, QItemSelectionModel::NoUpdate);
    }
    syncing_ = false;
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit ControlKey(3);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit ControlKey(22);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        emit ControlKey(1);
        event->accept();
        return;
    }
    // Delete empties the selected cells of a grid the user may edit, as a spreadsheet does.
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && items_->Editable() &&
        state() != QAbstractItemView::EditingState) {
        ClearGridSelection(grid_);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    emit FocusGained(this);
}

} // namespace yarrow
