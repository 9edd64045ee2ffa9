#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QTableWidget;

namespace yarrow {

// One key the program answers to: the keys as the platform writes them, what they do, and where.
struct ShortcutEntry {
    QString keys;
    QString command;
    QString where;
};

// Every key installed in `window` and the widgets in it: menu items' shortcuts and the menu bar's
// Alt letters, shortcut objects (their whatsThis says what they do), buttons' keys and Alt
// letters, and the labels' Alt letters that move to the box they name. Read from what is
// installed, so the list cannot fall behind the program.
QList<ShortcutEntry> CollectShortcuts(QWidget* window);

// Help > Keyboard Shortcuts: the keys of the given windows in a table a screen reader can read.
class frmKeyboardShortcuts : public QDialog {
    Q_OBJECT
public:
    frmKeyboardShortcuts(const QList<QWidget*>& windows, QWidget* parent = nullptr);
    const QList<ShortcutEntry>& Entries() const { return entries_; }

private:
    QList<ShortcutEntry> entries_;
    QTableWidget* tblKeys = nullptr;
};

} // namespace yarrow
