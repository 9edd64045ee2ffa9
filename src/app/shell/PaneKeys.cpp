// The keyboard's way around the main window: F6 and Ctrl+Tab move between the switching row, the
// panel, the upper pane, the address row and the lower pane (a web page keeps Tab for its links,
// so without these keys it could not be left); Help > Keyboard Shortcuts lists every key.
#include "shell/frmYarrow.h"

#include "base/WorkPanel.h"
#include "shell/KeyboardShortcuts.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QWebEngineView>

namespace yarrow {

void frmYarrow::InstallPaneKeys() {
    const struct {
        QKeySequence keys;
        bool forward;
        const char* name;
        const char* what;
    } keys[] = {{Qt::Key_F6, true, "keyNextPane", "Next pane or panel"},
                {Qt::SHIFT | Qt::Key_F6, false, "keyPreviousPane", "Previous pane or panel"},
                {Qt::CTRL | Qt::Key_Tab, true, "keyNextPaneTab", "Next pane or panel"},
                {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, false, "keyPreviousPaneTab", "Previous pane or panel"}};
    for (const auto& k : keys) {
        auto* s = new QShortcut(k.keys, this);
        s->setObjectName(k.name);
        s->setWhatsThis(k.what);
        connect(s, &QShortcut::activated, this, [this, forward = k.forward] { CyclePanes(forward); });
    }
}

int frmYarrow::PaneOf(const QWidget* w) const {
    const std::vector<std::vector<const QWidget*>> groups = {
        {cmdRestart, cmdYieldCurve, cmdAnalytics},
        {CurrentPanel_},
        {Browser1, cmdBack, cmdForward, cmdStop},
        {cmbNavigate, cmdBotBack, cmdBotForward},
        {Browser2}};
    for (size_t g = 0; g < groups.size(); ++g)
        for (const QWidget* member : groups[g])
            if (member && w && (member == w || member->isAncestorOf(w)))
                return int(g);
    return -1;
}

void frmYarrow::CyclePanes(bool forward) {
    constexpr int kPanes = 5;
    const int now = PaneOf(QApplication::focusWidget());
    int next = now < 0 ? 0 : (now + (forward ? 1 : kPanes - 1)) % kPanes;
    if (next == 1 && CurrentPanel_) {
        // The panel's first control in Tab order.
        for (QWidget* w = CurrentPanel_->nextInFocusChain(); w && CurrentPanel_->isAncestorOf(w);
             w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !w->focusProxy()) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
        next = forward ? 2 : 0;
    }
    QWidget* entry[kPanes] = {cmdRestart, nullptr, Browser1, cmbNavigate, Browser2};
    entry[next]->setFocus(Qt::TabFocusReason);
}

void frmYarrow::mnuKeyboardShortcuts_Click() {
    // The calculators' keys are listed even before the window is first opened.
    if (!calcs_)
        calcs_ = new calcs(app_, this);
    QList<QWidget*> windows{this};
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != this && top->isVisible() && !qobject_cast<frmKeyboardShortcuts*>(top))
            windows << top;
    if (!windows.contains(calcs_.data()))
        windows << calcs_.data();
    auto* dialog = new frmKeyboardShortcuts(windows, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace yarrow
