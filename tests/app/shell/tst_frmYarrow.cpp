// The main window driven by its controls' names: start-up, layout, panel switching, menus, the
// address box and the pane buttons, with the real embedded browser.

#include "app/support/AppHarness.h"
#include "support/LocalHttpServer.h"
#include "core/draw/PlotFrame.h"
#include "core/text/RuntimeError.h"
#include "data/ucYarrowData.h"
#include "base/Twips.h"
#include "base/WorkPanel.h"
#include "shell/frmYarrow.h"
#include "widgets/BrowserPane.h"
#include "widgets/GridView.h"
#include "base/LineControl.h"
#include "base/MousePointer.h"
#include "widgets/PictureBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

QAction* Action(QWidget& w, const char* name) {
    QAction* a = w.findChild<QAction*>(name);
    if (!a)
        qFatal("no menu item %s", name);
    return a;
}

bool WaitLoaded(BrowserPane& pane, int ms = 20000) {
    return test::WaitUntil([&] { return pane.ReadyState() == BrowserPane::kReadyStateComplete; }, ms);
}

// Loads the bundled snapshot so the table has bonds.
void GetBundledData(frmYarrow& w) {
    QTest::mouseClick(Find<QPushButton>(w, "cmdGetData"), Qt::LeftButton);
}

// A loaded window at a known size.
struct Window {
    AppHarness h;
    frmYarrow w{h.context};
    explicit Window(QSize size = {1200, 860}) {
        w.Load();
        w.resize(size);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    float ScaleWidth() const { return float(w.Client()->width() * kTwipsPerPixel); }
    float ScaleHeight() const { return float(w.Client()->height() * kTwipsPerPixel); }
    TwipRect At(const char* name) { return GetTwips(Find<QWidget>(w, name)); }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpNavigatesBothPanesInOrder() {
        AppHarness h;
        frmYarrow w(h.context);
        auto* combo = Find<QComboBox>(w, "cmbNavigate");
        struct Step {
            QString pane, url;
            int flags;
            bool windowVisible, dataPanelHasPane, upperRegistered;
            int entries;
        };
        QList<Step> steps;
        auto recorder = [&](const QString& pane) {
            return [&, pane](const QString& url, int flags) {
                steps << Step{pane,
                              url,
                              flags,
                              w.isVisible(),
                              w.DataPanel()->Browser() == &w.Browser2Pane(),
                              w.Browser1Pane().RegisterAsBrowser(),
                              combo->count()};
            };
        };
        connect(&w.Browser1Pane(), &BrowserPane::NavigateRequested, this, recorder("Browser1"));
        connect(&w.Browser2Pane(), &BrowserPane::NavigateRequested, this, recorder("Browser2"));
        // What the window looks like at the moment it is shown.
        bool shownWithDataPanel = false, expandedWhenShown = true;
        float lowerWidthWhenShown = -1;
        class ShowWatch : public QObject {
        public:
            std::function<void()> onShow;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Show && onShow)
                    onShow();
                return false;
            }
        } watch;
        watch.onShow = [&] {
            shownWithDataPanel = w.CurrentPanel() == w.DataPanel() && w.DataPanel()->isVisibleTo(&w);
            expandedWhenShown = w.ExpandBottom();
            lowerWidthWhenShown = GetTwips(Find<QWidget>(w, "Browser2")).width;
        };
        w.installEventFilter(&watch);

        w.Load();

        QCOMPARE(steps.size(), 2);
        QCOMPARE(steps[0].pane, QString("Browser1"));
        QVERIFY2(steps[0].url.endsWith("/public/qalmodhtm/qalYarrow/page1.htm"), qPrintable(steps[0].url));
        QCOMPARE(steps[0].flags, 0);
        QVERIFY(steps[0].dataPanelHasPane);
        QVERIFY(steps[0].upperRegistered);
        QCOMPARE(steps[0].entries, 3);
        QVERIFY(!steps[0].windowVisible);
        QCOMPARE(steps[1].pane, QString("Browser2"));
        QVERIFY2(steps[1].url.endsWith("/links.htm"), qPrintable(steps[1].url));
        QCOMPARE(steps[1].flags, BrowserPane::kNavNoReadFromCache);
        QVERIFY(!steps[1].windowVisible);

        // "Restart" laid the window out before it was shown; the expansion came after.
        QVERIFY(shownWithDataPanel);
        QVERIFY(!expandedWhenShown);
        QCOMPARE(lowerWidthWhenShown, float(w.DataPanel()->ucWidth()));
        QVERIFY(w.isVisible());
        QVERIFY(w.ExpandBottom());
        QCOMPARE(w.windowTitle(), QString("QAL Yarrow"));

        QCOMPARE(combo->itemText(0), QString("https://www.bloomberg.com/markets/treasury.html"));
        QCOMPARE(combo->itemText(1), QString("https://www.federalreserve.gov/Releases/H15/update/"));
        QVERIFY(combo->itemText(2).endsWith("/index.html"));

        // Both bundled pages load, and the load state follows.
        QVERIFY(WaitLoaded(w.Browser1Pane()));
        QVERIFY(WaitLoaded(w.Browser2Pane()));
        QCOMPARE(w.Browser2Pane().Tag(), QString("alldone"));
        QVERIFY(w.Browser2Pane().BodyMarkup().contains("Get Data"));
        QVERIFY(w.Browser1Pane().BodyMarkup().contains("2010"));
        QVERIFY(h.dialogs.messages.empty());
    }

    void expandAndReduceBottomWindow() {
        Window win;
        const float sh = win.ScaleHeight();
        const TwipRect panel = GetTwips(win.w.DataPanel());
        QCOMPARE(panel, (TwipRect{120, 540, 6000, 7200}));

        TwipRect b1 = win.At("Browser1"), b2 = win.At("Browser2");
        QCOMPARE(b2.width, win.ScaleWidth() - 100);
        QCOMPARE(b1.height, b2.top - b1.top - 50);
        QCOMPARE(b2.left, 120.f);
        QCOMPARE(b1.left, 6145.f);
        QCOMPARE(b1.width, float(win.w.frameGeometry().width() * kTwipsPerPixel) - 6145 - 150);
        // The panel ends at 7740: the pane gets the bottom third when there is more room than that.
        const float h = sh - 7765 - 100;
        QCOMPARE(b2.top, h > sh / 3 ? 2 * sh / 3 : 7765.f);
        auto* line = Find<LineControl>(win.w, "Line1_1");
        QCOMPARE(line->Y1(), b2.top - 15);
        QCOMPARE(line->X2(), b2.left + b2.width);
        QCOMPARE(win.At("cmbNavigate").top, 7750.f);

        Action(win.w, "mnuLayout0")->trigger();
        QVERIFY(!win.w.ExpandBottom());
        b1 = win.At("Browser1");
        b2 = win.At("Browser2");
        QCOMPARE(b2.width, 6000.f);
        QCOMPARE(b1.height, sh - 540 - 100);
        QCOMPARE(line->X2(), 6120.f);

        Action(win.w, "mnuLayout1")->trigger();
        QCOMPARE(win.At("Browser2").width, win.ScaleWidth() - 100);

        // Resizing lays the window out again.
        win.w.resize(1100, 980);
        QTRY_COMPARE(win.At("Browser2").width, win.ScaleWidth() - 100);
        QVERIFY(win.h.dialogs.messages.empty());
    }

    void tooNarrowWindowKeepsOnlyTheUpperPaneWidth() {
        Window win;
        const float widthBefore = win.At("Browser1").width;
        win.w.resize(330, 860);
        QTRY_COMPARE(win.w.width(), 330);
        QVERIFY(win.ScaleWidth() < 6145 + 150); // Browser1.Width would be negative
        QCOMPARE(win.At("Browser1").width, widthBefore);
        QCOMPARE(win.At("Browser1").left, 6145.f);
        QCOMPARE(win.At("Browser2").width, win.ScaleWidth() - 100);
        QVERIFY(win.h.dialogs.messages.empty());
    }

    void curvesAndAnalyticsNeedBonds() {
        Window win;
        const TwipRect lowerBefore = win.At("Browser2");
        for (const char* button : {"cmdYieldCurve", "cmdAnalytics"}) {
            win.h.dialogs.messages.clear();
            QTest::mouseClick(Find<QPushButton>(win.w, button), Qt::LeftButton);
            QCOMPARE(win.h.dialogs.messages.size(), size_t(1));
            QCOMPARE(win.h.dialogs.messages[0].text, std::string("Please first get bond data"));
            QCOMPARE(win.h.dialogs.messages[0].title, std::string("Vantorix"));
            QVERIFY(win.h.dialogs.messages[0].icon == MessageIcon::Critical);
            QCOMPARE(win.w.CurrentPanel(), static_cast<WorkPanel*>(win.w.DataPanel()));
            QVERIFY(win.w.DataPanel()->isVisible());
            QVERIFY(!Find<WorkPanel>(win.w, "ucTCurves1")->isVisible());
            QVERIFY(!Find<WorkPanel>(win.w, "ucTAnalytics1")->isVisible());
            QCOMPARE(win.At("Browser2"), lowerBefore);
        }
    }

    void panelsSwitchAtTheirOwnSizeAndLargeDisplayStaysWithItsPanel() {
        Window win;
        GetBundledData(win.w);
        QCOMPARE(win.h.session.nBonds, int16_t(10));
        auto* curves = Find<WorkPanel>(win.w, "ucTCurves1");
        auto* analytics = Find<WorkPanel>(win.w, "ucTAnalytics1");

        QTest::mouseClick(Find<QPushButton>(win.w, "cmdAnalytics"), Qt::LeftButton);
        QCOMPARE(win.w.CurrentPanel(), analytics);
        QCOMPARE(GetTwips(analytics), (TwipRect{120, 540, 8400, 7260}));
        QVERIFY(analytics->isVisible() && !win.w.DataPanel()->isVisible() && !curves->isVisible());
        QCOMPARE(Find<GridView>(*analytics, "Grid1")->Model().Rows(), 11);
        QCOMPARE(win.At("Browser1").left, 120.f + 8400 + 25);

        QTest::mouseClick(Find<QPushButton>(win.w, "cmdYieldCurve"), Qt::LeftButton);
        QCOMPARE(win.w.CurrentPanel(), curves);
        QCOMPARE(curves->ucWidth(), 7200);
        QCOMPARE(curves->ucHeight(), 6600);

        Action(win.w, "mnuOptionsLargeDisplay")->trigger();
        QCOMPARE(curves->ucWidth(), 12240); // 7200 * 1.7
        QCOMPARE(curves->ucHeight(), 9900); // 6600 * 1.5
        QCOMPARE(GetTwips(curves), (TwipRect{120, 540, 12240, 9900}));
        QCOMPARE(win.At("Browser1").left, 120.f + 12240 + 25);
        QVERIFY(Find<QPushButton>(*curves, "cmdPlot")->font().bold());

        // Only the current panel was enlarged; "Restart" shows the data panel at its own size.
        QTest::mouseClick(Find<QPushButton>(win.w, "cmdRestart"), Qt::LeftButton);
        QCOMPARE(win.w.CurrentPanel(), static_cast<WorkPanel*>(win.w.DataPanel()));
        QCOMPARE(GetTwips(win.w.DataPanel()), (TwipRect{120, 540, 6000, 7200}));
        QCOMPARE(Find<QPushButton>(win.w, "cmdGetData")->font().pointSize(), 8);
        QCOMPARE(win.At("Browser1").left, 6145.f);
        QCOMPARE(win.h.session.nBonds, int16_t(10)); // nothing was reinitialised

        // The curves panel comes back large; Normal Display returns it to its design.
        QTest::mouseClick(Find<QPushButton>(win.w, "cmdYieldCurve"), Qt::LeftButton);
        QCOMPARE(GetTwips(curves).width, 12240.f);
        Action(win.w, "mnuOptionsNormalDisplay")->trigger();
        QCOMPARE(GetTwips(curves), (TwipRect{120, 540, 7200, 6600}));
        QVERIFY(!Find<QPushButton>(*curves, "cmdPlot")->font().bold());

        // The data panel itself, enlarged: 6000 x 7200 becomes 10200 x 10800, the grid moves down
        // by the 400-twip rule.
        QTest::mouseClick(Find<QPushButton>(win.w, "cmdRestart"), Qt::LeftButton);
        Action(win.w, "mnuOptionsLargeDisplay")->trigger();
        QCOMPARE(GetTwips(win.w.DataPanel()), (TwipRect{120, 540, 10200, 10800}));
        const float rH = (7200.f - 400) / (10800.f - 400);
        QCOMPARE(win.At("Grid1").top, float(std::floor(1050 / double(rH))));
        QVERIFY(win.h.dialogs.messages.empty());
    }

    // File > Save Plot As writes the curves panel's picture (the box's pixels, or the SVG of the
    // same display list); the status bar reads out the point under the pointer.
    void savePlotAsWritesTheCurvesPicture() {
        Window win;
        QTemporaryDir dir;
        QString target;
        win.w.SetSaveFileChooser([&] { return target; });
        Action(win.w, "mnuSavePlotAs")->trigger();
        QCOMPARE(win.h.dialogs.messages.size(), size_t(1)); // nothing plotted yet

        GetBundledData(win.w);
        QTest::mouseClick(Find<QPushButton>(win.w, "cmdYieldCurve"), Qt::LeftButton);
        auto* zero = Find<QRadioButton>(win.w, "oCurveType_1");
        QTest::mouseClick(zero, Qt::LeftButton, {}, QPoint(6, zero->height() / 2));
        auto* box = Find<PictureBox>(win.w, "pbox");
        QCOMPARE(box->Plot().Lines().size(), size_t(1));

        target = dir.filePath("curves.png");
        Action(win.w, "mnuSavePlotAs")->trigger();
        const QImage saved(target);
        const PlotFrame f = PlotFrame::ForBox(box->width(), box->height());
        QCOMPARE(saved.size(), QSize(f.width, f.height));
        QCOMPARE(saved.copy(f.boxX, f.boxY, f.boxWidth, f.boxHeight).convertToFormat(QImage::Format_ARGB32),
                 box->grab().toImage().convertToFormat(QImage::Format_ARGB32));
        QVERIFY(Find<QLabel>(win.w, "lblStatus")->text().startsWith("Plot saved to"));

        target = dir.filePath("curves.SVG");
        Action(win.w, "mnuSavePlotAs")->trigger();
        QFile svg(target);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(svg.readAll());
        QCOMPARE(text.count("<polyline class=\"zero\""), 1);
        QVERIFY(text.contains(">" + Find<QLineEdit>(win.w, "Text1_0")->text() + "</text>"));

        target = dir.filePath("curves.bmp");
        Action(win.w, "mnuSavePlotAs")->trigger();
        QCOMPARE(win.h.dialogs.messages.size(), size_t(2));
        QVERIFY(!QFile::exists(target));

        // The pointer at the box's centre reads the middle of the scale.
        const QPoint centre = box->rect().center();
        QTest::mouseMove(box, centre);
        const DisplayList::Point mid =
            box->Plot().FromPicture({float(centre.x()), float(centre.y())}, box->width(), box->height());
        QTRY_VERIFY(Find<QLabel>(win.w, "lblStatus")->text().startsWith("Years "));
        QCOMPARE(Find<QLabel>(win.w, "lblStatus")->text(),
                 QString("Years %1   Rate %2%").arg(mid.x, 0, 'f', 4).arg(double(mid.y) * 100, 0, 'f', 4));
    }

    void editMenuCopiesAndPastesTheActiveGrid() {
        Window win;
        GetBundledData(win.w);
        auto* grid = Find<GridView>(win.w, "Grid1");
        QCOMPARE(win.h.context.ActiveGrid, grid);
        auto center = [&](int r, int c) { return grid->visualRect(grid->model()->index(r, c)).center(); };
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, center(9, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, center(9, 4));
        Action(win.w, "mnuEditCopy")->trigger();
        QCOMPARE(win.h.clipboard.content.value_or("<none>"), std::string("10\t3.3000\t12/31/2020\t100"));

        win.h.clipboard.content = "1,250.00";
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, center(9, 4));
        Action(win.w, "mnuEditPaste")->trigger();
        QCOMPARE(grid->Model().TextMatrix(9, 4), std::string("1250.00"));

        // The grid's own keys do the same.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, center(2, 1));
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(win.h.clipboard.content.value_or(""), std::string("3TD"));

        // An empty clipboard is reported, and the grid keeps its text.
        win.h.clipboard.content.reset();
        Action(win.w, "mnuEditPaste")->trigger();
        QCOMPARE(win.h.dialogs.messages.size(), size_t(1));
        QCOMPARE(grid->Model().TextMatrix(2, 1), std::string("3TD"));
    }

    void addressBoxEnterNavigatesAtOnce() {
        Window win;
        QVERIFY(WaitLoaded(win.w.Browser2Pane()));
        auto* combo = Find<QComboBox>(win.w, "cmbNavigate");
        QSignalSpy navigations(&win.w.Browser2Pane(), &BrowserPane::NavigateRequested);
        const QString help = win.w.Pages().HelpPageURL;
        combo->lineEdit()->setText(help);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(navigations.size(), 1);
        QCOMPARE(navigations[0][0].toString(), help);
        // No wait: the page is still loading when the key press is over, and the list is unchanged.
        QCOMPARE(win.w.Browser2Pane().ReadyState(), int(BrowserPane::kReadyStateLoading));
        QVERIFY(!MousePointer::IsHourglass());
        QCOMPARE(combo->count(), 3);
        QVERIFY(WaitLoaded(win.w.Browser2Pane()));
        QCOMPARE(win.w.Browser2Pane().LocationURL(), help);
    }

    void addressBoxEntryOfThePageShownDoesNothing() {
        Window win;
        auto* combo = Find<QComboBox>(win.w, "cmbNavigate");
        // Show the home page in the lower pane, then choose the home page entry.
        combo->lineEdit()->setText(combo->itemText(2));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QVERIFY(WaitLoaded(win.w.Browser2Pane()));
        QCOMPARE(win.w.Browser2Pane().LocationURL(), combo->itemText(2));
        QSignalSpy navigations(&win.w.Browser2Pane(), &BrowserPane::NavigateRequested);
        combo->setCurrentIndex(2);
        emit combo->activated(2);
        QCOMPARE(navigations.size(), 0);
        QCOMPARE(combo->count(), 3);
    }

    void addressBoxEntryWaitsForThePageAndRecordsWhereItEnded() {
        Window win;
        test::FrbDataCopy data(test::BundledFrbFolder());
        test::LocalHttpServer server(data.Root());
        QVERIFY(server.IsRunning());
        auto* combo = Find<QComboBox>(win.w, "cmbNavigate");
        // The server answers a folder without its final slash with a redirect to it.
        const QString folder = server.Url("/FRBData");
        combo->addItem(folder);
        bool hourglassWhileLoading = false;
        connect(&win.w.Browser2Pane(), &BrowserPane::DownloadBegin, this,
                [&] { hourglassWhileLoading = MousePointer::IsHourglass(); });
        combo->setCurrentIndex(3);
        emit combo->activated(3);
        // Back from the handler only once the page is complete.
        QCOMPARE(win.w.Browser2Pane().Tag(), QString("alldone"));
        QCOMPARE(win.w.Browser2Pane().ReadyState(), int(BrowserPane::kReadyStateComplete));
        QVERIFY(hourglassWhileLoading);
        QVERIFY(!MousePointer::IsHourglass());
        QCOMPARE(win.w.Browser2Pane().LocationURL(), folder + "/");
        QCOMPARE(combo->count(), 5);
        QCOMPARE(combo->itemText(4), folder + "/");
        QCOMPARE(combo->currentText(), folder + "/");
    }

    void stopEndsTheAddressBoxWait() {
        Window win;
        test::FrbDataCopy data(test::BundledFrbFolder());
        test::LocalHttpServer server(data.Root());
        QVERIFY(server.IsRunning());
        auto* combo = Find<QComboBox>(win.w, "cmbNavigate");
        combo->addItem(server.Url("/hang/never.htm"));
        QTimer::singleShot(400, this,
                           [&] { QTest::mouseClick(Find<QPushButton>(win.w, "cmdStop"), Qt::LeftButton); });
        QElapsedTimer t;
        t.start();
        combo->setCurrentIndex(3);
        emit combo->activated(3);
        QVERIFY2(t.elapsed() < 10000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(win.w.Browser1Pane().Tag(), QString("alldone"));
        QCOMPARE(win.w.Browser2Pane().Tag(), QString("alldone"));
        QVERIFY(win.w.Browser2Pane().StopRequested());
        QVERIFY(!MousePointer::IsHourglass());
    }

    void menusHaveTheirCaptionsAndSeparators() {
        Window win;
        QStringList bar;
        for (QAction* a : win.w.menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"&File", "&Edit", "&Options", "&Lessons", "&Calculator", "&Help"}));
        auto items = [&](const char* menu) {
            QStringList out;
            for (QAction* a : Find<QMenu>(win.w, menu)->actions())
                out << (a->isSeparator() ? QString("-") : a->objectName() + "=" + a->text());
            return out;
        };
        QCOMPARE(items("mnuFile"),
                 (QStringList{"mnuOpenWorkbook=&Open Workbook...", "mnuCloseWorkbook=C&lose Workbook",
                              "mnuSavePlotAs=Save Plot &As...", "mnuDataTable=&Data Table...", "mnuFileExport=&Export Table...",
                              "mnuCurveOfDate=Treasury &Curve of a Date...",
                              "mnuUpdateHistory=&Update Treasury History...", "-", "mnuHomePage=&Home Page",
                              "-", "mnuStudentForum=&Student Forum",
                              "mnuInstructorForum=&Instructor's Forum Setup", "-", "mnuFileExit=E&xit"}));
        QCOMPARE(items("mnuEdit"), (QStringList{"mnuEditCopy=&Copy", "mnuEditPaste=&Paste"}));
        QCOMPARE(items("mnuOptions"),
                 (QStringList{"mnuLayout0=&Reduce Bottom Window", "mnuLayout1=&Expand Bottom Window", "-",
                              "mnuOptionsLargeDisplay=&Large Display",
                              "mnuOptionsNormalDisplay=&Normal Display"}));
        QCOMPARE(items("mnuHelp"), (QStringList{"mnuModHelp=&Module Specific Help", "mnuHelpModule=&Help", "-",
                                                "mnuKeyboardShortcuts=&Keyboard Shortcuts"}));
        QCOMPARE(Action(win.w, "mnuCalculator")->text(), QString("&Calculator"));
    }

    void menuPagesOpenInTheUpperPane() {
        Window win;
        QSignalSpy upper(&win.w.Browser1Pane(), &BrowserPane::NavigateRequested);
        QSignalSpy lower(&win.w.Browser2Pane(), &BrowserPane::NavigateRequested);
        const struct {
            const char* item;
            QString url;
        } cases[] = {
            {"mnuHomePage", win.w.Pages().HomePageURL},          {"mnuStudentForum", win.w.Pages().ForumURL},
            {"mnuInstructorForum", win.w.Pages().ForumAdminURL}, {"mnuModHelp", win.w.Pages().ModulePageURL},
            {"mnuHelpModule", win.w.Pages().HelpPageURL},
        };
        for (const auto& c : cases) {
            Action(win.w, c.item)->trigger();
            QCOMPARE(upper.last()[0].toString(), c.url);
            QVERIFY(WaitLoaded(win.w.Browser1Pane()));
            // Every one of them is a page of the bundled site.
            QVERIFY2(!win.w.Browser1Pane().BodyMarkup().contains("ERR_FILE_NOT_FOUND"), c.item);
            QVERIFY2(win.w.Browser1Pane().BodyMarkup().size() > 200, c.item);
        }
        QCOMPARE(upper.size(), 5);
        QCOMPARE(lower.size(), 0);
        QVERIFY(win.w.Pages().ForumAdminURL.endsWith("/forum/admin.htm"));
    }

    void calculatorWindowOpensOnce() {
        Window win;
        QVERIFY(!win.w.Calculators());
        Action(win.w, "mnuCalculator")->trigger();
        calcs* first = win.w.Calculators();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowTitle(), QString("QAL Calculators"));
        first->close();
        Action(win.w, "mnuCalculator")->trigger();
        QCOMPARE(win.w.Calculators(), first);
        QVERIFY(first->isVisible());
    }

    void exitAndCloseStopBothPanesAndEnd() {
        for (bool viaMenu : {true, false}) {
            Window win;
            if (viaMenu)
                Action(win.w, "mnuFileExit")->trigger();
            else
                win.w.close();
            QCOMPARE(win.h.endProgramCalls, 1);
            QVERIFY(win.w.Browser1Pane().StopRequested());
            QVERIFY(win.w.Browser2Pane().StopRequested());
            QCOMPARE(win.w.Browser1Pane().Tag(), QString("alldone"));
            QCOMPARE(win.w.Browser2Pane().Tag(), QString("alldone"));
        }
    }

    void paneButtonsMoveThroughHistory() {
        Window win;
        QVERIFY(WaitLoaded(win.w.Browser1Pane()));
        const QString start = win.w.Browser1Pane().LocationURL();
        QTest::mouseClick(Find<QPushButton>(win.w, "cmdBack"), Qt::LeftButton); // no history: nothing
        QVERIFY(win.h.dialogs.messages.empty());
        Action(win.w, "mnuHelpModule")->trigger();
        QVERIFY(WaitLoaded(win.w.Browser1Pane()));
        QTest::mouseClick(Find<QPushButton>(win.w, "cmdBack"), Qt::LeftButton);
        QVERIFY(test::WaitUntil([&] { return win.w.Browser1Pane().LocationURL() == start; }));
        QTest::mouseClick(Find<QPushButton>(win.w, "cmdForward"), Qt::LeftButton);
        QVERIFY(
            test::WaitUntil([&] { return win.w.Browser1Pane().LocationURL() == win.w.Pages().HelpPageURL; }));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_frmYarrow.moc"
