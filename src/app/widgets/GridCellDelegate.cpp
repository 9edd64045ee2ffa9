#include "widgets/GridCellDelegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace yarrow {

GridCellDelegate::GridCellDelegate(QAbstractItemView* view) : QStyledItemDelegate(view), view_(view) {}

bool GridCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (!editor || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return QStyledItemDelegate::eventFilter(object, event);
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
            return QStyledItemDelegate::eventFilter(object, event);
        dCol = -1;
        break;
    case Qt::Key_Right:
        if (editor->cursorPosition() < editor->text().size() || editor->hasSelectedText())
            return QStyledItemDelegate::eventFilter(object, event);
        dCol = 1;
        break;
    default:
        return QStyledItemDelegate::eventFilter(object, event);
    }
    const QModelIndex from = view_->currentIndex();
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    const QModelIndex to = from.siblingAtRow(from.row() + dRow).siblingAtColumn(from.column() + dCol);
    if (to.isValid() && (to.flags() & Qt::ItemIsSelectable))
        view_->setCurrentIndex(to);
    return true;
}

} // namespace yarrow
