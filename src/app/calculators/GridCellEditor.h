#pragma once

#include <QObject>
#include <string>

namespace yarrow {

class Clipboard;
class Dialogs;
class GridView;

// The present-value grid's own cell editor: typing goes into a buffer shown in the cell; Enter or
// an arrow key commits a number, Escape puts back the text the cell had when it was entered,
// Backspace drops the last character, Delete empties the selection.
class GridCellEditor : public QObject {
    Q_OBJECT
public:
    GridCellEditor(GridView& grid, Dialogs& dialogs, Clipboard& clipboard, QObject* parent = nullptr);

    int editRow() const { return editRow_; }
    int editCol() const { return editCol_; }
    const std::string& editBuffer() const { return editBuffer_; }
    const std::string& savedText() const { return savedText_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RowColChange();
    void DoubleClick();
    // Writes a numeric buffer into the cell; false after "Non-Numeric Data Entry".
    bool Commit();
    void ShowBuffer();

    GridView& grid_;
    Dialogs& dialogs_;
    Clipboard& clipboard_;
    int editRow_ = 0;
    int editCol_ = 0;
    std::string savedText_;
    std::string editBuffer_;
};

} // namespace yarrow
