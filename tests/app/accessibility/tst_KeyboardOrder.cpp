// The keyboard alone reaches every control: Tab follows the reading order of each window and
// panel, F6 leaves the web panes, and Help > Keyboard Shortcuts lists the keys installed.

#include "app/accessibility/AllWindows.h"
#include "base/Accessibility.h"
#include "base/WorkPanel.h"
#include "shell/KeyboardShortcuts.h"
#include "widgets/PictureBox.h"

#include <QRadioButton>

#include <QShortcut>
#include <QWebEngineView>

using namespace yarrow;
using namespace yarrow::test;

namespace {

// The control a focus belongs to: a web page's focus is its pane's, a composite's its own.
QWidget* Owner(QWidget* focus) {
    for (QWidget* w = focus; w; w = w->parentWidget())
        if (qobject_cast<QWebEngineView*>(w) || IsInteractive(w))
            return w;
    return focus;
}

QString Name(QWidget* w) {
    return w ? w->objectName() : QString("(none)");
}

// Tabs from `first` until the focus comes back to it, enters a web pane or leaves `root`, and
// gives the names of the controls passed.
QStringList TabWalk(QWidget* root, QWidget* first, int limit = 80) {
    root->activateWindow();
    QApplication::setActiveWindow(root->window());
    if (!QTest::qWaitForWindowActive(root->window()))
        qWarning("window not active");
    while (first->focusProxy())
        first = first->focusProxy();
    first->setFocus(Qt::TabFocusReason);
    QStringList seen{Name(Owner(QApplication::focusWidget()))};
    for (int i = 0; i < limit; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = Owner(QApplication::focusWidget());
        // A date box takes Tab from section to section before it lets go.
        if (now && Name(now) == seen.last())
            continue;
        if (now == Owner(first) || !now)
            break;
        seen << Name(now);
        if (qobject_cast<QWebEngineView*>(now) || !root->isAncestorOf(now))
            break;
    }
    return seen;
}

// The focusable controls of `root` a Tab walk must reach.
QStringList Reachable(QWidget* root) {
    QStringList out;
    for (QWidget* c : root->findChildren<QWidget*>())
        if (c->window() == root->window() && IsInteractive(c) && c->isVisible() && c->isEnabled() && !c->focusProxy() &&
            (c->focusPolicy() & Qt::TabFocus))
            out << c->objectName();
    return out;
}

} // namespace

class tst_KeyboardOrder : public QObject {
    Q_OBJECT
private slots:
    void tabFollowsTheReadingOrder() {
        AllWindows all;
        const QStringList top{"cmdRestart", "cmdYieldCurve", "cmdAnalytics", "cmdBack", "cmdForward", "cmdStop"};
        const QStringList bottom{"cmbNavigate", "cmdBotBack", "cmdBotForward", "Browser1"};
        // Each panel sits between the button rows and the address row.
        const QStringList data{"txtQuoteDate", "cmbRates", "cmdGetData", "cmdStop", "Grid1"};
        QCOMPARE(TabWalk(&all.w, Find<QWidget>(all.w, "cmdRestart")), top + data + bottom);

        all.Panel("cmdYieldCurve", "ucTCurves1");
        const QStringList curves{"Grid1",          "Text1_0",       "Text1_1",    "Text1_2",      "Text1_3",
                                 "cmdKeep",        "cmbInterpolate", "cmdSpline", "cmdCopyInterp", "txtSplineLeft",
                                 "txtSplineRight", "oCurveType_0",  "cmbFreq",    "cmdPlot",      "cmdClear",
                                 "txtLevel",       "txtSlope",      "txtCurve",   "cmdMinus",     "cmdPlus",
                                 "cmdNSFit",       "cmdNSPlot",     "cmdOpenWindow"};
        QCOMPARE(TabWalk(&all.w, Find<QWidget>(all.w, "cmdRestart")), top + curves + bottom);

        all.Panel("cmdAnalytics", "ucTAnalytics1");
        const QStringList analytics{"Grid1",        "txtCFNumFlows", "cmdCFPaste",   "cmdClearData",
                                    "cmdCFCalculate", "gridCF",      "txtTargetVal", "txtTargetDur",
                                    "txtTargetConv", "chkCFValues",  "oStrategy_0",   "cmdSolve"};
        // The strategies are one group: Tab stops on the chosen one, the arrows move between them.
        QCOMPARE(TabWalk(&all.w, Find<QWidget>(all.w, "cmdRestart")), top + analytics + bottom);
    }

    void tabReachesEveryControlOfEveryWindow() {
        AllWindows all;
        QTest::mouseClick(Find<QPushButton>(all.w, "cmdYieldCurve"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(all.w, "cmdOpenWindow"), Qt::LeftButton);
        std::vector<std::pair<QString, QWidget*>> windows{{"frmChartFollow", all.Window("frmChartFollow")}};
        for (const auto& [action, window] : AllWindows::kWindows)
            windows.push_back({window, nullptr});
        for (size_t i = 0; i < windows.size(); ++i) {
            const QString name = windows[i].first;
            QWidget* w = i == 0 ? windows[0].second : all.Open(AllWindows::kWindows[i - 1].first, qPrintable(name));
            QWidget* first = w->nextInFocusChain();
            while (!(first->focusPolicy() & Qt::TabFocus) || !first->isVisible() || !first->isEnabled() ||
                   !w->isAncestorOf(first))
                first = first->nextInFocusChain();
            const QStringList seen = TabWalk(w, first, 200);
            QStringList missing;
            for (const QString& control : Reachable(w))
                if (!seen.contains(control))
                    missing << control;
            QVERIFY2(missing.isEmpty(),
                     qPrintable(name + " never reaches " + missing.join(", ") + "; Tab went " + seen.join(", ")));
            w->close();
            QCoreApplication::processEvents();
        }
    }

    void f6LeavesTheWebPanes() {
        AllWindows all;
        all.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&all.w));
        Find<QWidget>(all.w, "Browser1")->setFocus();
        const QStringList expected{"cmbNavigate", "Browser2", "cmdRestart", "txtQuoteDate", "Browser1"};
        QStringList seen;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
            seen << Name(Owner(QApplication::focusWidget()));
        }
        QCOMPARE(seen, expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Name(Owner(QApplication::focusWidget())), QString("txtQuoteDate"));
    }

    void enterPressesAndFocusIsRinged() {
        AllWindows all;
        all.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&all.w));
        auto* curves = Find<QPushButton>(all.w, "cmdYieldCurve");
        curves->setFocus(Qt::TabFocusReason);
        QTest::keyClick(curves, Qt::Key_Return);
        QCOMPARE(static_cast<QWidget*>(all.w.CurrentPanel()), Find<QWidget>(all.w, "ucTCurves1"));
        // A grid shows its focus by a ring drawn around it; a button by its own style.
        auto* conventions = all.w.findChild<KeyboardConventions*>();
        QVERIFY(conventions);
        auto* listing = Find<QWidget>(*Find<QWidget>(all.w, "ucTCurves1"), "Grid1");
        listing->setFocus(Qt::TabFocusReason);
        QCOMPARE(conventions->Ringed(), listing);
        curves->setFocus(Qt::TabFocusReason);
        QVERIFY(!conventions->Ringed());
        // The curve is chosen with the arrows and Space; Enter on Clear and Plot presses them.
        auto& plot = Find<PictureBox>(all.w, "pbox")->Plot();
        Find<QWidget>(all.w, "oCurveType_0")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(Find<QRadioButton>(all.w, "oCurveType_1")->isChecked());
        QVERIFY(!plot.Lines().empty());
        for (const char* button : {"cmdClear", "cmdPlot"}) {
            auto* b = Find<QPushButton>(all.w, button);
            b->setFocus(Qt::TabFocusReason);
            QTest::keyClick(b, Qt::Key_Return);
            QCOMPARE(plot.Lines().empty(), QString(button) == "cmdClear");
        }
    }

    void shortcutListReadsTheInstalledKeys() {
        AllWindows all;
        all.Trigger("mnuKeyboardShortcuts");
        auto* dialog = all.w.findChild<frmKeyboardShortcuts*>();
        QVERIFY(dialog);
        auto has = [&](const QString& keys, const QString& command) {
            for (const ShortcutEntry& e : dialog->Entries())
                if (e.keys == keys && e.command == command)
                    return true;
            return false;
        };
        QVERIFY(has(QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText), "File > Open Workbook"));
        QVERIFY(has("F6", "Next pane or panel"));
        QVERIFY(has("Alt+G", "Press Get Data"));
        QVERIFY(has("Alt+Q", "Go to Quote Date"));
        QVERIFY(has("Alt+H", "Open the menu Help"));
        // A key added anywhere in the window joins the list.
        auto* extra = new QShortcut(QKeySequence(Qt::Key_F9), &all.w);
        extra->setWhatsThis("Test key");
        const QList<ShortcutEntry> now = CollectShortcuts(&all.w);
        QVERIFY(std::any_of(now.begin(), now.end(),
                            [](const ShortcutEntry& e) { return e.keys == "F9" && e.command == "Test key"; }));
    }
};

QTEST_MAIN(tst_KeyboardOrder)
#include "tst_KeyboardOrder.moc"
