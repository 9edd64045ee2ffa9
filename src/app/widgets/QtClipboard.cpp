#include "widgets/QtClipboard.h"

#include "core/grid/ClipboardLineEnds.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace yarrow {

void QtClipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(ClipboardTextOut(text)));
}

std::optional<std::string> QtClipboard::GetText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    return ClipboardTextIn(data->text().toStdString());
}

} // namespace yarrow
