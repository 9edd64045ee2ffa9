#include "widgets/GridCellEditor.h"

#include "core/grid/GridText.h"
#include "widgets/GridView.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace yarrow {

GridCellEditor::GridCellEditor(GridView* view) : QStyledItemDelegate(view), view_(view) {
    // Connected after the view's own handler, so the grid model already has the new cell.
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GridCellEditor::RowColChange);
    connect(view_, &QAbstractItemView::doubleClicked, this, &GridCellEditor::DoubleClick);
}

void GridCellEditor::SetOptions(Options options) {
    options_ = std::move(options);
    if (!options_.typeInCell)
        return;
    view_->SetEditable(false); // no line editor: keys come here
    view_->installEventFilter(this);
}

void GridCellEditor::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    if (const auto* line = qobject_cast<QLineEdit*>(editor); line && options_.accepts) {
        const std::string text = line->text().toStdString();
        if (!text.empty() && !options_.accepts(text))
            return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool GridCellEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_)
        return event->type() == QEvent::KeyPress && TypeInCellKey(static_cast<QKeyEvent*>(event));
    if (auto* line = qobject_cast<QLineEdit*>(watched);
        line && event->type() == QEvent::KeyPress && LineEditorKey(line, static_cast<QKeyEvent*>(event)))
        return true;
    return QStyledItemDelegate::eventFilter(watched, event);
}

void GridCellEditor::MoveFrom(const QModelIndex& from, int dRow, int dCol) {
    const QModelIndex to = from.siblingAtRow(from.row() + dRow).siblingAtColumn(from.column() + dCol);
    if (to.isValid() && (to.flags() & Qt::ItemIsSelectable))
        view_->setCurrentIndex(to);
}

bool GridCellEditor::LineEditorKey(QLineEdit* editor, const QKeyEvent* key) {
    if (!options_.spreadsheetKeys || (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)))
        return false;
    int dRow = 0, dCol = 0;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        dRow = 1;
        break;
    case Qt::Key_Up:
        dRow = -1;
        break;
    case Qt::Key_Left:
        if (editor->cursorPosition() > 0 || editor->hasSelectedText())
            return false;
        dCol = -1;
        break;
    case Qt::Key_Right:
        if (editor->cursorPosition() < editor->text().size() || editor->hasSelectedText())
            return false;
        dCol = 1;
        break;
    default:
        return false;
    }
    const QModelIndex from = view_->currentIndex();
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    MoveFrom(from, dRow, dCol);
    return true;
}

void GridCellEditor::RowColChange() {
    if (!options_.typeInCell)
        return;
    const GridModel& m = view_->Model();
    editBuffer_.clear();
    editRow_ = m.Row();
    if (editRow_ >= m.FixedRows()) {
        editCol_ = m.Col();
        savedText_ = m.TextMatrix(m.Row(), m.Col());
    }
}

void GridCellEditor::DoubleClick() {
    if (options_.typeInCell && editRow_ >= view_->Model().FixedRows())
        editBuffer_ = view_->Model().TextMatrix(editRow_, editCol_);
}

void GridCellEditor::ShowBuffer() {
    WriteGridCell(view_->Model(), editRow_, editCol_, editBuffer_);
}

bool GridCellEditor::Commit() {
    if (editBuffer_.empty())
        return true;
    if (options_.accepts && !options_.accepts(editBuffer_))
        return false;
    ShowBuffer();
    editBuffer_.clear();
    return true;
}

bool GridCellEditor::TypeInCellKey(const QKeyEvent* key) {
    GridModel& m = view_->Model();
    if (editRow_ < m.FixedRows())
        return false;
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste))
        return false; // the grid hands them on as control keys
    switch (key->key()) {
    case Qt::Key_Delete:
        ClearGridSelection(m);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // The view moves on once the entry is taken.
        return !Commit();
    default:
        break;
    }
    const QString text = key->text();
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool character = !text.isEmpty() && (text[0].isPrint() || enter || key->key() == Qt::Key_Escape ||
                                               key->key() == Qt::Key_Backspace);
    if (!character || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
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
        if (Commit() && options_.spreadsheetKeys)
            MoveFrom(view_->model()->index(editRow_, editCol_), 1, 0);
    } else {
        editBuffer_ += text.toStdString();
        ShowBuffer();
    }
    return true;
}

} // namespace yarrow
