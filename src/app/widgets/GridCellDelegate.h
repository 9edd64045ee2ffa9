#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace yarrow {

// Cell editing as in a spreadsheet: typing replaces the cell, Enter commits and moves down, Up and
// Down commit and move, Left and Right commit and move once the cursor is at that end of the text,
// Escape restores the cell's text.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridCellDelegate(QAbstractItemView* view);

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    QAbstractItemView* view_;
};

} // namespace yarrow
