#pragma once

#include "core/grid/GridModel.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <functional>

namespace yarrow {

class Clipboard;
class Dialogs;
class GridCellEditor;

// Qt item model over a GridModel: cell texts, heading cells shaded and read-only, edits written
// back to the grid.
class GridItemModel : public QAbstractTableModel, public GridObserver {
    Q_OBJECT
public:
    explicit GridItemModel(GridModel& grid, QObject* parent = nullptr);
    ~GridItemModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The heading row's texts, so assistive technology reads each cell with its column heading;
    // where a grid's heading cell is blank, the heading it was given here.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void SetColumnHeadings(const QStringList& headings) { headings_ = headings; }

    void SetEditable(bool on) { editable_ = on; }
    bool Editable() const { return editable_; }
    // One empty row below the grid (and columns up to minCols) where a new row can be typed; the
    // grid grows to hold what is typed there and is otherwise left as it is.
    void SetTypingRow(bool on, int minCols);
    bool IsTypingCell(const QModelIndex& index) const;
    // Grows the grid to hold a cell of the typing row; false when the grid can grow no more.
    bool GrowToHold(const QModelIndex& index);

    void GridShapeChanged() override;
    void GridCellsChanged(int row1, int col1, int row2, int col2) override;
    void GridSelectionChanged() override;

signals:
    void SelectionChangedInGrid();

private:
    GridModel& grid_;
    bool editable_ = true;
    bool typingRow_ = false;
    int typingCols_ = 0;
    QStringList headings_;
};

// A grid control: shows a GridModel, and turns the user's selection and edits into model calls.
// The model's (Row, Col) is where a selection was started, (RowSel, ColSel) where it ends.
// Ctrl+C, Ctrl+V and Ctrl+A are handed to the panel as key codes 3, 22 and 1.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    GridModel& Model() { return grid_; }
    const GridModel& Model() const { return grid_; }
    GridItemModel* ItemModel() const { return items_; }
    // Edits the cells; its options say how keys behave.
    GridCellEditor* CellEditor() const { return cellEditor_; }

    void SetEditable(bool on);
    // The data grid's way to type rows: an empty row kept below the grid, and Insert Row and
    // Delete Row in the context menu (actions mnuInsertRow, mnuDeleteRow).
    void SetRowTyping(bool on, int minCols);
    void InsertRow();
    void DeleteRows();
    // A grid that grows to hold a block pasted into a single selected cell.
    void SetGrowOnPaste(bool on) { growOnPaste_ = on; }
    // A panel's own paste for this grid (Edit > Paste when it is the active grid).
    void SetPasteHandler(std::function<void()> handler) { pasteHandler_ = std::move(handler); }
    // Ctrl+C and Ctrl+V of this grid (and Edit > Copy / Paste when it is the active grid).
    void Copy(Clipboard& clipboard, Dialogs& dialogs);
    void Paste(Clipboard& clipboard, Dialogs& dialogs);
    // Column widths in twips, from column 0; columns not given keep the default.
    void SetColumnTwips(const std::vector<int>& widths);

signals:
    void ControlKey(int code);
    void FocusGained(yarrow::GridView* grid);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ViewSelectionToModel();
    void ModelSelectionToView();
    void ApplyColumnWidths();
    void FitRowHeight();
    // Makes the grid hold the view's current cell when it is in the typing row, and selects it.
    void GrowToCurrentCell();

    GridModel grid_;
    GridItemModel* items_;
    GridCellEditor* cellEditor_;
    std::vector<int> columnTwips_;
    bool syncing_ = false;
    bool growOnPaste_ = false;
    std::function<void()> pasteHandler_;
};

} // namespace yarrow
