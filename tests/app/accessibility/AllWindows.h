#pragma once

// Every window and panel of the program, open at once on the bundled data, for the tests that
// walk their controls the way assistive technology and the keyboard do.

#include "app/support/AppHarness.h"
#include "shell/frmYarrow.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QWebEngineView>
#include <QtTest>

namespace yarrow::test {

struct NamedWindow {
    QString name;
    QWidget* widget;
};

struct AllWindows {
    AppHarness h;
    frmYarrow w{h.context};

    AllWindows() {
        w.Load();
        w.resize(1400, 950);
        if (!QTest::qWaitForWindowExposed(&w))
            qFatal("the main window is not shown");
        QTest::mouseClick(Find<QPushButton>(w, "cmdGetData"), Qt::LeftButton);
    }

    void Trigger(const char* action) {
        QAction* a = w.findChild<QAction*>(action);
        if (!a)
            qFatal("no menu item %s", action);
        a->trigger();
        QCoreApplication::processEvents();
    }

    // The main window with the panel `button` shows.
    QWidget* Panel(const char* button, const char* panel) {
        QTest::mouseClick(Find<QPushButton>(w, button), Qt::LeftButton);
        return Find<QWidget>(w, panel);
    }

    QWidget* Window(const char* objectName) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == objectName && top->isVisible())
                return top;
        qFatal("no open window %s", objectName);
    }

    // The windows beside the main one: the menu item that opens each, and its name.
    static constexpr std::pair<const char*, const char*> kWindows[] = {
        {"mnuCalculator", "calcs"},           {"mnuCurveOfDate", "frmCurveOfDate"},
        {"mnuUpdateHistory", "frmUpdateHistory"}, {"mnuRateShocks", "frmRateShocks"},
        {"mnuCurveFilm", "frmCurveFilm"},     {"mnuSpread", "frmSpread"},
        {"mnuCurveMap", "frmCurveMap"},       {"mnuFactors", "frmFactors"},
    };

    QWidget* Open(const char* action, const char* window) {
        Trigger(action);
        return Window(window);
    }
};

// The controls a user operates, as assistive technology classes them. Parts that belong to a
// composite (a combo box's edit field, a view's scroll bars and corner, a tab bar's arrows) are
// the composite's business, and the web panes describe their own pages.
inline bool IsInteractive(QWidget* c) {
    for (QWidget* p = c->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
            qobject_cast<QAbstractItemView*>(p) || qobject_cast<QTabBar*>(p) ||
            qobject_cast<QWebEngineView*>(p) || qobject_cast<QMenuBar*>(p))
            return false;
    if (qobject_cast<QWebEngineView*>(c))
        return false;
    // Pictures are read by their names even where the keyboard does not stop on them.
    if (c->inherits("yarrow::PictureBox") || c->inherits("yarrow::ChartWidget"))
        return true;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
    if (!a)
        return false;
    switch (a->role()) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::PageTabList:
        return true;
    default:
        return c->focusPolicy() != Qt::NoFocus && a->role() != QAccessible::ScrollBar &&
               a->role() != QAccessible::Client && a->role() != QAccessible::StaticText &&
               a->role() != QAccessible::Grouping;
    }
}

// The name a screen reader says. A combo box's name here is its current text, so what names it
// is the label it is labelled by.
inline QString AccessibleName(QWidget* c) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
    if (!a)
        return {};
    if (a->role() != QAccessible::ComboBox)
        return a->text(QAccessible::Name).trimmed();
    for (const auto& [label, relation] : a->relations(QAccessible::Label))
        if (!label->text(QAccessible::Name).trimmed().isEmpty())
            return label->text(QAccessible::Name).remove('&').trimmed();
    return {};
}

} // namespace yarrow::test
