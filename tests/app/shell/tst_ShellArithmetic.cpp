// Layout and display-scaling arithmetic, the grid view and the event pump, without a browser.

#include "app/support/AppHarness.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"
#include "shell/AppEnvironment.h"
#include "shell/BrowserLayout.h"
#include "shell/PageAddresses.h"
#include "base/Twips.h"
#include "base/qalSetDisplay.h"
#include "support/MemoryClipboard.h"
#include "widgets/GridView.h"
#include "base/LineControl.h"
#include "widgets/ThrottledEvents.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>
#include <utility>

using namespace yarrow;

namespace {

// A window 15000 twips wide with a 6000 x 7000 panel at (120, 540); upper pane top 540.
BrowserLayoutControls StartControls() {
    BrowserLayoutControls c;
    c.browser1 = {6300, 540, 8000, 7000};
    c.cmdBack = {6300, 90, 1100, 345};
    c.cmdForward = {7425, 90, 1100, 345};
    c.cmdStop = {8550, 90, 900, 345};
    c.cmbNavigate = {120, 7000, 4000, 330};
    c.cmdBotBack = {4125, 7000, 1000, 330};
    c.cmdBotForward = {5130, 7000, 1000, 330};
    c.browser2 = {120, 8000, 14000, 3000};
    return c;
}

BrowserLayoutInput Input(float panelTop, float panelHeight, float scaleHeight) {
    BrowserLayoutInput in;
    in.panel = {120, panelTop, 6000, panelHeight};
    in.windowWidth = 15000;
    in.scaleWidth = 14900;
    in.scaleHeight = scaleHeight;
    return in;
}

} // namespace

class TestShellArithmetic : public QObject {
    Q_OBJECT
private slots:
    void lowerPaneTakesAtMostTheBottomThird_data() {
        QTest::addColumn<float>("panelTop");
        QTest::addColumn<float>("panelHeight");
        QTest::addColumn<float>("scaleHeight");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("height");
        // Panel bottom 2000: room 6875 > 3000, so the bottom third: top 6000, height 2900.
        QTest::newRow("tall window") << 500.f << 1500.f << 9000.f << 6000.f << 2900.f;
        // Room 375 <= 833.3: the pane stays 25 twips under the panel.
        QTest::newRow("short window") << 500.f << 1500.f << 2500.f << 2025.f << 375.f;
        // No room at all under the panel: the bottom third again.
        QTest::newRow("panel fills window") << 500.f << 2500.f << 2400.f << 1600.f << 700.f;
    }
    void lowerPaneTakesAtMostTheBottomThird() {
        QFETCH(float, panelTop);
        QFETCH(float, panelHeight);
        QFETCH(float, scaleHeight);
        QFETCH(float, top);
        QFETCH(float, height);
        BrowserLayoutControls c = StartControls();
        QVERIFY(ComputeBrowserLayout(Input(panelTop, panelHeight, scaleHeight), c));
        QCOMPARE(c.browser2.top, top);
        QCOMPARE(c.browser2.height, height);
        QCOMPARE(c.browser2.left, 120.f);
        QCOMPARE(c.lineY1, top - 15);
        QCOMPARE(c.lineY2, top - 15);
    }

    void upperPaneAndAddressRowFollowThePanel() {
        BrowserLayoutControls c = StartControls();
        QVERIFY(ComputeBrowserLayout(Input(500, 1500, 9000), c));
        QCOMPARE(c.browser1.left, 120.f + 6000 + 25);
        QCOMPARE(c.browser1.width, 15000.f - 6145 - 150);
        QCOMPARE(c.cmdBack.left, 6145.f);
        QCOMPARE(c.cmdForward.left, 6145.f + 1100 + 25);
        QCOMPARE(c.cmdStop.left, 7270.f + 1100 + 25);
        QCOMPARE(c.browser1.top, 540.f); // tops are not touched
        QCOMPARE(c.cmdBack.top, 90.f);
        QCOMPARE(c.cmbNavigate.top, 2010.f);
        QCOMPARE(c.cmbNavigate.left, 120.f);
        QCOMPARE(c.cmbNavigate.width, 6000.f - 1000 - 1000);
        QCOMPARE(c.cmdBotBack.top, 2010.f);
        QCOMPARE(c.cmdBotBack.left, 120.f + 4000 + 5);
        QCOMPARE(c.cmdBotForward.left, 4125.f + 1000 + 5);
        QCOMPARE(c.cmdBotForward.top, 2010.f);
    }

    void expandAndReduceSetTheWidths() {
        BrowserLayoutInput in = Input(500, 1500, 9000);
        BrowserLayoutControls expanded = StartControls();
        in.expandBottom = true;
        QVERIFY(ComputeBrowserLayout(in, expanded));
        QCOMPARE(expanded.browser2.width, 14900.f - 100);
        QCOMPARE(expanded.browser1.height, 6000.f - 540 - 50);
        QCOMPARE(expanded.lineX2, 120.f + 14800);

        BrowserLayoutControls reduced = StartControls();
        in.expandBottom = false;
        QVERIFY(ComputeBrowserLayout(in, reduced));
        QCOMPARE(reduced.browser2.width, 6000.f);
        QCOMPARE(reduced.browser1.height, 9000.f - 540 - 100);
        QCOMPARE(reduced.lineX1, 120.f);
        QCOMPARE(reduced.lineX2, 6120.f);
    }

    void tooNarrowWindowSkipsOnlyTheFailingAssignment() {
        BrowserLayoutControls c = StartControls();
        BrowserLayoutInput in = Input(500, 1500, 9000);
        in.windowWidth = 5000; // Browser1.Width would be 5000 - 6145 - 150 < 0
        in.scaleWidth = 4900;
        std::vector<std::string> skipped;
        QVERIFY(ComputeBrowserLayout(in, c, &skipped));
        QCOMPARE(skipped, std::vector<std::string>{"Browser1.Width"});
        QCOMPARE(c.browser1.width, 8000.f); // kept
        QCOMPARE(c.browser1.left, 6145.f);  // the rest still ran
        QCOMPARE(c.cmdStop.left, 8395.f);
        QCOMPARE(c.browser2.top, 6000.f);
        QCOMPARE(c.browser2.width, 4800.f);
    }

    void negativeSizesAreSkippedWhereverTheyArise() {
        BrowserLayoutControls c = StartControls();
        c.cmdBotBack.width = 4000;
        c.cmdBotForward.width = 4000; // the address box would be 6000 - 8000 wide
        BrowserLayoutInput in = Input(500, 1500, 9000);
        in.scaleWidth = 50; // and the expanded lower pane 50 - 100
        std::vector<std::string> skipped;
        QVERIFY(ComputeBrowserLayout(in, c, &skipped));
        QCOMPARE(skipped, (std::vector<std::string>{"cmbNavigate.Width", "Browser2.Width"}));
        QCOMPARE(c.cmbNavigate.width, 4000.f);
        // The buttons are placed from the width the box kept.
        QCOMPARE(c.cmdBotBack.left, 120.f + 4000 + 5);
        QCOMPARE(c.browser2.width, 14000.f);
    }

    void minimisedWindowIsLeftAlone() {
        BrowserLayoutControls c = StartControls();
        BrowserLayoutInput in = Input(500, 1500, 9000);
        in.minimized = true;
        QVERIFY(!ComputeBrowserLayout(in, c));
        QVERIFY(c == StartControls());
    }

    void enlargeRatiosMatchTheFigures() {
        const DisplayRatios r = EnlargeRatios(6000, 1000);
        QCOMPARE(r.xWidth, 10200);
        QCOMPARE(r.xHeight, 1500);
        QCOMPARE(StretchTwips(700, r.rH), 1283);
        QCOMPARE(StretchTwips(200, r.rH), 366);
        QCOMPARE(StretchTwips(1000, r.rW), 1699); // 1000 / (6000/10200 in single) floors
        // Halves round to even: 1001 * 1.5 = 1501.5 -> 1502; 1003 * 1.5 = 1504.5 -> 1504.
        QCOMPARE(EnlargeRatios(100, 1001).xHeight, 1502);
        QCOMPARE(EnlargeRatios(100, 1003).xHeight, 1504);
        // A 400-twip panel has no vertical ratio: stretching by it is a division by zero.
        QCOMPARE(EnlargeRatios(100, 400).rH, 0.f);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, StretchTwips(10, 0.f));
    }

    void enlargeTwiceThenReduceRestoresTheDesign() {
        QWidget panel;
        SetTwips(&panel, {0, 0, 6000, 1000});
        auto* a = new QLabel("a", &panel);
        SetTwips(a, {120, 700, 900, 255});
        auto* b = new QCheckBox("b", &panel);
        SetTwips(b, {300, 200, 1500, 285});
        auto* line = new LineControl(&panel);
        line->SetPoints(100, 400, 5000, 400);

        qalSetDisplay display;
        display.Initialize(6000, 1000, 3);
        display.SetUpDisplay(0, a);
        display.SetUpDisplay(1, b);
        display.SetUpDisplay(2, line);

        int32_t w = 6000, h = 1000;
        display.EnlargeFont(w, h);
        QCOMPARE(w, 10200);
        QCOMPARE(h, 1500);
        const TwipRect first = GetTwips(a);
        QCOMPARE(first.top, 1283.f);
        QCOMPARE(GetTwips(b).top, 366.f);
        QCOMPARE(a->font().pointSize(), 12);
        QVERIFY(a->font().bold());
        QCOMPARE(line->Y1(), float(StretchTwips(400, EnlargeRatios(6000, 1000).rH)));
        QCOMPARE(line->X2(), float(StretchTwips(5000, EnlargeRatios(6000, 1000).rW)));

        display.EnlargeFont(w, h);
        QCOMPARE(GetTwips(a), first); // from the remembered layout, not the current one

        display.ReduceFont(w, h);
        QCOMPARE(w, 6000);
        QCOMPARE(h, 1000);
        QCOMPARE(GetTwips(a), (TwipRect{120, 700, 900, 255}));
        QCOMPARE(GetTwips(b), (TwipRect{300, 200, 1500, 285}));
        QCOMPARE((std::array<float, 4>{line->X1(), line->Y1(), line->X2(), line->Y2()}),
                 (std::array<float, 4>{100, 400, 5000, 400}));
        QCOMPARE(a->font().pointSize(), 8);
        QVERIFY(!a->font().bold());
        QCOMPARE(line->LineThickness(), 1);
    }

    void failingPropertiesAreSkippedOneByOne() {
        // A panel lower than the 400-twip term turns the vertical ratio negative: heights would be
        // negative and are refused, while tops, lefts, widths and fonts still change.
        QWidget panel;
        auto* a = new QLabel("a", &panel);
        SetTwips(a, {120, 100, 900, 90});
        qalSetDisplay display;
        display.Initialize(3000, 300, 1);
        display.SetUpDisplay(0, a);
        int32_t w = 0, h = 0;
        display.EnlargeFont(w, h);
        const float rH = EnlargeRatios(3000, 300).rH;
        QVERIFY(rH < 0);
        const TwipRect r = GetTwips(a);
        QCOMPARE(r.top, float(StretchTwips(100, rH)));
        QCOMPARE(r.height, 90.f);
        QCOMPARE(r.width, float(StretchTwips(900, EnlargeRatios(3000, 300).rW)));
        QVERIFY(a->font().bold());
    }

    void noControlsStillReportsTheSizes() {
        qalSetDisplay display;
        display.Initialize(5000, 2000, 0);
        int32_t w = 1, h = 1;
        display.ReduceFont(w, h);
        QCOMPARE(w, 5000);
        QCOMPARE(h, 2000);
        display.EnlargeFont(w, h);
        QCOMPARE(w, 8500);
        QCOMPARE(h, 3000);
    }

    void twipsRoundTripThroughPixels() {
        QWidget parent;
        auto* w = new QWidget(&parent);
        SetTwips(w, {6145, 2025, 8705, 375});
        QCOMPARE(GetTwips(w), (TwipRect{6145, 2025, 8705, 375}));
        QCOMPARE(w->geometry(), QRect(410, 135, 580, 25));
        w->setGeometry(10, 10, 20, 20); // moved by someone else: pixels are the truth again
        QCOMPARE(GetTwips(w), (TwipRect{150, 150, 300, 300}));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, SetTwips(w, {0, 0, -1, 10}));
        QCOMPARE(w->geometry(), QRect(10, 10, 20, 20));
    }

    void moduleAddressIsCompletedOnlyWhenItDiffersFromHelp() {
        const PageAddresses a = SitePageAddresses(QUrl("http://127.0.0.1:8080/"));
        QCOMPARE(a.HelpPageURL, QString("http://127.0.0.1:8080/public/qalmodhtm/howtouse.htm"));
        QCOMPARE(CompleteModulePageURL(a.ModulePageURL, a.HelpPageURL),
                 QString("http://127.0.0.1:8080/public/qalmodhtm/qalYarrow/page1.htm"));
        QCOMPARE(CompleteModulePageURL(a.HelpPageURL, a.HelpPageURL), a.HelpPageURL);
        QCOMPARE(a.MakerHomeURL, QString("http://127.0.0.1:8080/"));
        QVERIFY(SitePageAddresses(QUrl::fromLocalFile("/srv/site/"))
                    .MakerHomeURL.endsWith("/srv/site/index.html"));
    }

    void throttledPumpRunsAFewTimesPerFrame() {
        int pumps = 0;
        ThrottledEvents events(4, [&] { ++pumps; });
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 200000; ++i)
            events.Process();
        const qint64 ms = t.elapsed();
        QVERIFY(pumps >= 1);
        QVERIFY2(pumps <= ms / 4 + 1, qPrintable(QString("%1 pumps in %2 ms").arg(pumps).arg(ms)));
        // A pump that asks again from inside does not recurse.
        int depth = 0, maxDepth = 0;
        ThrottledEvents nested(0, [&] {
            ++depth;
            maxDepth = std::max(maxDepth, depth);
            if (depth < 5)
                nested.ProcessNow();
            --depth;
        });
        nested.ProcessNow();
        QCOMPARE(maxDepth, 1);
    }

    void gridViewSelectionAndEditsReachTheModel() {
        GridView view;
        view.resize(400, 300);
        view.Model().SetRows(6);
        view.Model().SetCols(4);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto center = [&](int r, int c) { return view.visualRect(view.model()->index(r, c)).center(); };
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, center(2, 1));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, center(4, 3));
        QCOMPARE(view.Model().Row(), 2);
        QCOMPARE(view.Model().Col(), 1);
        QCOMPARE(view.Model().RowSel(), 4);
        QCOMPARE(view.Model().ColSel(), 3);

        // Selecting in the model shows in the view.
        view.Model().Select(1, 1, 1, 2);
        QCOMPARE(view.selectionModel()->selectedIndexes().size(), 2);

        // Typing into a cell edits it.
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, center(3, 2));
        QTest::keyClick(&view, Qt::Key_4); // the first key opens the editor
        QVERIFY(QApplication::focusWidget() != &view);
        QTest::keyClicks(QApplication::focusWidget(), ".25");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(view.Model().TextMatrix(3, 2), std::string("4.25")); // committed when queued
        // Heading cells cannot be edited.
        QVERIFY(!(view.model()->flags(view.model()->index(0, 1)) & Qt::ItemIsEditable));

        QSignalSpy keys(&view, &GridView::ControlKey);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(keys.size(), 2);
        QCOMPARE(keys.at(0).at(0).toInt(), 3);
        QCOMPARE(keys.at(1).at(0).toInt(), 22);
    }

    void fetchTimeoutTakesOnlySecondsTheTimerCanHold() {
        const std::pair<const char*, std::optional<int>> cases[] = {
            {"30", 30000},   {"0.5", 500},  {" 2 ", 2000},  {"2147483", 2147483000},
            {"2147484", {}}, {"1e300", {}}, {"inf", {}},    {"nan", {}},
            {"0", {}},       {"-5", {}},    {"0.0001", {}}, {"soon", {}},
            {"", {}},
        };
        for (const auto& [text, ms] : cases)
            QVERIFY2(FetchTimeoutMs(text) == ms, text);
    }
};

QTEST_MAIN(TestShellArithmetic)
#include "tst_ShellArithmetic.moc"
