#include "base/Announce.h"

#include <QAccessible>
#include <QLabel>

namespace yarrow {

void Announce(QWidget* source, const QString& text) {
    if (!source)
        return;
    if (qobject_cast<QLabel*>(source) && source->accessibleName().isEmpty()) {
        QAccessibleEvent event(source, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleValueChangeEvent event(source, text);
        QAccessible::updateAccessibility(&event);
    }
}

void SetAnnouncedText(QLabel* label, const QString& text) {
    label->setText(text);
    Announce(label, text);
}

} // namespace yarrow
