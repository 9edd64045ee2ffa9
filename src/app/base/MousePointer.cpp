#include "base/MousePointer.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>

namespace yarrow {

void MousePointer::Hourglass() {
    if (!IsHourglass())
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void MousePointer::Normal() {
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool MousePointer::IsHourglass() {
    const QCursor* c = QGuiApplication::overrideCursor();
    return c && c->shape() == Qt::WaitCursor;
}

MousePointer::Suspend::Suspend() : wasHourglass_(IsHourglass()) {
    Normal();
}

MousePointer::Suspend::~Suspend() {
    if (wasHourglass_)
        Hourglass();
}

} // namespace yarrow
