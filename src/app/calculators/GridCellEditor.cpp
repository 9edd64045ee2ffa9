#include "calculators/GridCellEditor.h"

#include "core/grid/GridText.h"
#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"
#include "widgets/GridView.h"

#include <QKeyEvent>

namespace yarrow {

GridCellEditor::GridCellEditor(GridView& grid, Dialogs& dialogs, Clipboard& clipboard, QObject* parent)
    : QObject(parent), grid_(grid), dialogs_(dialogs), clipboard_(clipboard) {
    grid_.SetEditable(false); // no Qt editor: keys come here
    grid_.installEventFilter(this);
    // Connected after the view's own handler, so the grid model already has the new cell.
    connect(grid_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GridCellEditor::RowColChange);
    connect(&grid_, &QAbstractItemView::doubleClicked, this, &GridCellEditor::DoubleClick);
    connect(&grid_, &GridView::ControlKey, this, [this](int code) {
        if (editRow_ == 0)
            return;
        if (code == 3)
            CopyGridSelection(grid_.Model(), clipboard_, dialogs_);
        else if (code == 22)
            PasteToGridSelection(grid_.Model(), clipboard_, dialogs_);
    });
}

void GridCellEditor::RowColChange() {
    const GridModel& m = grid_.Model();
    editBuffer_.clear();
    editRow_ = m.Row();
    if (editRow_ != 0) {
        editCol_ = m.Col();
        savedText_ = m.TextMatrix(m.Row(), m.Col());
    }
}

void GridCellEditor::DoubleClick() {
    if (editRow_ != 0)
        editBuffer_ = grid_.Model().TextMatrix(editRow_, editCol_);
}

void GridCellEditor::ShowBuffer() {
    WriteGridCell(grid_.Model(), editRow_, editCol_, editBuffer_);
}

bool GridCellEditor::Commit() {
    if (editBuffer_.empty())
        return true;
    if (!IsNumeric(editBuffer_)) {
        dialogs_.Message("Non-Numeric Data Entry", "Error", MessageIcon::Critical);
        return false;
    }
    WriteGridCell(grid_.Model(), editRow_, editCol_, editBuffer_);
    editBuffer_.clear();
    return true;
}

bool GridCellEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &grid_ || event->type() != QEvent::KeyPress || editRow_ == 0)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste))
        return false; // the grid hands them on as control keys
    GridModel& m = grid_.Model();
    switch (key->key()) {
    case Qt::Key_Delete: {
        const GridModel::Range r = m.Selection();
        std::string blank;
        for (int row = r.row1; row <= r.row2; ++row) {
            if (row > r.row1)
                blank += '\r';
            blank += std::string(size_t(r.col2 - r.col1), '\t');
        }
        m.SetClip(blank);
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // A refused entry keeps the cell, so it can be mended where it stands.
        return !Commit();
    default:
        break;
    }
    const QString text = key->text();
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool character = !text.isEmpty() && (text[0].isPrint() || enter || key->key() == Qt::Key_Escape ||
                                               key->key() == Qt::Key_Backspace);
    if (!character || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return QObject::eventFilter(watched, event);
    if (m.Row() != editRow_ || m.Col() != editCol_) {
        // Coming back to the cell being edited is not leaving it.
        const std::string buffer = editBuffer_, saved = savedText_;
        m.Select(editRow_, editCol_, editRow_, editCol_);
        editBuffer_ = buffer;
        savedText_ = saved;
    }
    if (key->key() == Qt::Key_Escape) {
        WriteGridCell(m, editRow_, editCol_, savedText_);
        editBuffer_.clear();
    } else if (key->key() == Qt::Key_Backspace) {
        editBuffer_ = editBuffer_.size() < 2 ? std::string() : editBuffer_.substr(0, editBuffer_.size() - 1);
        ShowBuffer();
    } else if (enter) {
        Commit();
    } else {
        editBuffer_ += text.toStdString();
        ShowBuffer();
    }
    return true;
}

} // namespace yarrow
