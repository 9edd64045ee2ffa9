#pragma once

#include <QStyledItemDelegate>
#include <functional>
#include <string>

class QKeyEvent;
class QLineEdit;

namespace yarrow {

class GridView;

// How the cells of a grid are edited; every GridView has one (GridView::CellEditor). By default a
// line editor opens on the first key typed and replaces the cell's text, Enter commits, Escape
// restores the cell, and a cell of the typing row below the grid grows the grid when committed.
class GridCellEditor : public QStyledItemDelegate {
    Q_OBJECT
public:
    struct Options {
        // As in a spreadsheet: Enter commits and moves down, Up and Down commit and move, and in
        // the line editor Left and Right commit and move once the cursor is at that end of the text.
        bool spreadsheetKeys = false;
        // No line editor: keys go into a buffer shown in the cell as it is typed; Enter or an arrow
        // key commits (the arrow then moves on), Escape puts back the text the cell had when it was
        // entered, Backspace drops the last character, Delete empties the selection, and a double
        // click starts from the cell's text.
        bool typeInCell = false;
        // Whether a typed text may go into the cell; it tells the user why not. Typed in the cell,
        // a refused entry keeps the cell so it can be mended where it stands; the line editor drops
        // it. An emptied cell is always taken, and without a function every text is.
        std::function<bool(const std::string&)> accepts;
    };

    explicit GridCellEditor(GridView* view);
    // Set once, when the grid is built.
    void SetOptions(Options options);

    // The cell typed into with typeInCell (a heading row while one is current), its buffer, and the
    // text it had when it was entered.
    int editRow() const { return editRow_; }
    int editCol() const { return editCol_; }
    const std::string& editBuffer() const { return editBuffer_; }
    const std::string& savedText() const { return savedText_; }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool LineEditorKey(QLineEdit* editor, const QKeyEvent* key);
    bool TypeInCellKey(const QKeyEvent* key);
    void MoveFrom(const QModelIndex& from, int dRow, int dCol);
    void RowColChange();
    void DoubleClick();
    // Writes a non-empty buffer into the cell; false when the text is refused.
    bool Commit();
    void ShowBuffer();

    GridView* view_;
    Options options_;
    int editRow_ = 0;
    int editCol_ = 0;
    std::string savedText_;
    std::string editBuffer_;
};

} // namespace yarrow
