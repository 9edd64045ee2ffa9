#include "shell/KeyboardShortcuts.h"

#include "base/WorkPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace yarrow {

namespace {

QString Plain(QString text) {
    text.remove(QRegularExpression("&(?!&)"));
    text.replace("&&", "&");
    if (text.endsWith("..."))
        text.chop(3);
    return text.trimmed();
}

QString Keys(const QKeySequence& keys) {
    return keys.toString(QKeySequence::NativeText);
}

// The window's title, with the panel a control sits on.
QString Where(QWidget* control, QWidget* window) {
    QString where = Plain(window->windowTitle());
    for (QWidget* w = control; w && w != window; w = w->parentWidget())
        if (auto* panel = qobject_cast<WorkPanel*>(w)) {
            where += " - " + panel->accessibleName();
            break;
        }
    return where;
}

// "File > Save Plot As" for an action in a menu.
QString MenuPath(QAction* action) {
    QStringList path{Plain(action->text())};
    for (QObject* o : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o)) {
            for (QMenu* m = menu; m; m = qobject_cast<QMenu*>(m->parentWidget()))
                if (!m->title().isEmpty())
                    path.prepend(Plain(m->title()));
            break;
        }
    return path.join(" > ");
}

// The window a key belongs to: a menu's items belong to the window of the menu bar, and the
// windows opened from this one (children of it) list their own keys.
QWidget* OwnerWindow(QObject* o) {
    for (; o; o = o->parent())
        if (auto* w = qobject_cast<QWidget*>(o); w && !qobject_cast<QMenu*>(w))
            return w->window();
    return nullptr;
}

// What a shortcut object does: its whatsThis, else the control it works in.
QString What(const QShortcut* s) {
    if (!s->whatsThis().isEmpty())
        return s->whatsThis();
    auto* w = qobject_cast<QWidget*>(s->parent());
    if (w && s->context() == Qt::WidgetShortcut)
        return "In " + (w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName());
    return s->objectName();
}

} // namespace

QList<ShortcutEntry> CollectShortcuts(QWidget* window) {
    QList<ShortcutEntry> out;
    const QString title = Plain(window->windowTitle());
    if (auto* main = qobject_cast<QMainWindow*>(window); main && main->menuWidget())
        for (QAction* a : main->menuBar()->actions()) {
            const QKeySequence alt = QKeySequence::mnemonic(a->text());
            if (!alt.isEmpty())
                out.push_back({Keys(alt), (a->menu() ? "Open the menu " : "") + Plain(a->text()), title});
        }
    for (QAction* a : window->findChildren<QAction*>())
        if (OwnerWindow(a) == window)
            for (const QKeySequence& k : a->shortcuts())
                out.push_back({Keys(k), MenuPath(a), title});
    for (QShortcut* s : window->findChildren<QShortcut*>())
        if (s->isEnabled() && !s->key().isEmpty() && OwnerWindow(s) == window)
            out.push_back({Keys(s->key()), What(s), title});
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->shortcut().isEmpty() || OwnerWindow(b) != window)
            continue;
        const QString name = b->accessibleName().isEmpty() ? Plain(b->text()) : b->accessibleName();
        out.push_back({Keys(b->shortcut()), "Press " + name, Where(b, window)});
    }
    for (QLabel* l : window->findChildren<QLabel*>()) {
        const QKeySequence alt = QKeySequence::mnemonic(l->text());
        if (l->buddy() && !alt.isEmpty() && OwnerWindow(l) == window)
            out.push_back({Keys(alt), "Go to " + Plain(l->text()).remove(':'), Where(l, window)});
    }
    return out;
}

frmKeyboardShortcuts::frmKeyboardShortcuts(const QList<QWidget*>& windows, QWidget* parent) : QDialog(parent) {
    setObjectName("frmKeyboardShortcuts");
    setWindowTitle("Keyboard Shortcuts");
    // Keys every control knows, handled inside Qt's controls and the grids rather than installed.
    entries_ = {{"Tab / Shift+Tab", "Next / previous control", "Every window"},
                {"Enter", "Press the focused button", "Every window"},
                {"Space", "Press the focused button, tick the focused box", "Every window"},
                {"Ctrl+C / Ctrl+V / Ctrl+A", "Copy / paste / copy all of the focused grid", "Grids"},
                {"Esc", "Close the dialog", "Dialogs"}};
    for (QWidget* w : windows)
        entries_ += CollectShortcuts(w);

    tblKeys = new QTableWidget(int(entries_.size()), 3, this);
    tblKeys->setObjectName("tblKeys");
    tblKeys->setAccessibleName("Keyboard shortcuts");
    tblKeys->setHorizontalHeaderLabels({"Keys", "Command", "Where"});
    tblKeys->verticalHeader()->hide();
    tblKeys->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblKeys->setTabKeyNavigation(false);
    for (int r = 0; r < entries_.size(); ++r) {
        const ShortcutEntry& e = entries_[r];
        tblKeys->setItem(r, 0, new QTableWidgetItem(e.keys));
        tblKeys->setItem(r, 1, new QTableWidgetItem(e.command));
        tblKeys->setItem(r, 2, new QTableWidgetItem(e.where));
    }
    tblKeys->resizeColumnsToContents();
    tblKeys->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tblKeys);
    layout->addWidget(buttons);
    resize(720, 520);
}

} // namespace yarrow
