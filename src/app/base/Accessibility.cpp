#include "base/Accessibility.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QFocusFrame>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace yarrow {

void ChainTabOrder(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        // Qt leaves the order alone for a control that takes no focus: it would break the chain.
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QLabel* NewBuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

void NameWithoutLabel(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
    if (qobject_cast<QComboBox*>(control)) {
        auto* label = new QLabel(name, control->parentWidget());
        label->setObjectName(control->objectName() + "_label");
        label->setBuddy(control);
        label->hide();
    }
}

namespace {

// The control that shows focus poorly, for a focus inside it: item views, and widgets that paint
// themselves (pictures, charts, the web panes' focus proxies, whose owner is the pane).
QWidget* NeedsRing(QWidget* focus) {
    for (QWidget* w = focus; w && !w->isWindow(); w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView*>(w))
            return w;
        const char* cls = w->metaObject()->className();
        if (qstrcmp(cls, "yarrow::PictureBox") == 0 || qstrcmp(cls, "yarrow::ChartWidget") == 0 ||
            qstrcmp(cls, "QWebEngineView") == 0)
            return w;
    }
    return nullptr;
}

} // namespace

KeyboardConventions::KeyboardConventions(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

KeyboardConventions::~KeyboardConventions() {
    if (qApp)
        qApp->removeEventFilter(this);
    delete ring_;
}

QWidget* KeyboardConventions::Ringed() const {
    return ring_ ? ring_->widget() : nullptr;
}

void KeyboardConventions::FocusChanged(QWidget* now) {
    QWidget* target = now ? NeedsRing(now) : nullptr;
    if (!target) {
        if (ring_)
            ring_->setWidget(nullptr);
        return;
    }
    // The ring lives beside its widget and goes when that window goes; a new one is made then.
    if (!ring_)
        ring_ = new QFocusFrame(target);
    ring_->setWidget(target);
}

bool KeyboardConventions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            if (button->focusPolicy() != Qt::NoFocus)
                button->setAutoDefault(true);
        } else if (auto* view = qobject_cast<QAbstractItemView*>(watched)) {
            view->setTabKeyNavigation(false);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace yarrow
