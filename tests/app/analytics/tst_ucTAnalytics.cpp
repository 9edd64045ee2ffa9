// The analytics panel driven by its controls' names: the bond grid, the cash-flow frame with its
// keys and cell editing, the solve and its status; then the panel inside the main window (Edit
// menu, Export Table, large display).

#include "analytics/ucTAnalytics.h"
#include "app/support/AppHarness.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridCsv.h"
#include "base/Twips.h"
#include "shell/frmYarrow.h"
#include "widgets/GridView.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

// A bill, par 2-, 5- and 10-year bonds, and optionally a 5-year 1% bond at 130 (no yield fits).
void LoadBonds(Session& session, bool withOdd = false) {
    std::vector<std::array<const char*, 4>> rows = {{"6TD", "0", "06/30/2011", "0.19"},
                                                    {"2", "0.61", "12/31/2012", "100"},
                                                    {"5", "2.01", "12/31/2015", "100"},
                                                    {"10", "3.30", "12/31/2020", "100"}};
    if (withOdd)
        rows.insert(rows.begin() + 2, {"Odd", "1", "12/31/2015", "130"});
    GridModel data(int(rows.size()) + 2, 6, 1, 1);
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 4; ++c)
            data.SetTextMatrix(int(r) + 2, c + 1, rows[r][size_t(c)]);
    BuildBondTable(session, data, "12/31/2010");
}

std::string Cell(GridView* g, int r, int c) {
    return g->Model().TextMatrix(r, c);
}

float Number(const QString& caption) {
    return caption.mid(caption.indexOf(':') + 1).toFloat();
}

struct Panel {
    AppHarness h;
    ucTAnalytics p{h.context};
    QStringList status;
    explicit Panel(bool withOdd = false) {
        QObject::connect(&p, &ucTAnalytics::StatusText, [this](const QString& t) { status << t; });
        LoadBonds(h.session, withOdd);
        p.resize(PixelsFromTwips(p.ucWidth()), PixelsFromTwips(p.ucHeight()));
        p.show();
        p.Initialize();
    }
    GridView* grid() { return p.BondGrid(); }
    GridView* flows() { return p.CashFlowGrid(); }
    QLineEdit* box(const char* name) { return Find<QLineEdit>(p, name); }
    QString caption(const char* name) { return Find<QLabel>(p, name)->text(); }
    void click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(p, name), Qt::LeftButton); }
    void enterCount(const QString& text) {
        box("txtCFNumFlows")->setText(text);
        QTest::keyClick(box("txtCFNumFlows"), Qt::Key_Return);
    }
    void setFlows(const std::vector<std::pair<const char*, const char*>>& rows) {
        for (size_t i = 0; i < rows.size(); ++i) {
            flows()->Model().SetTextMatrix(int(i) + 1, 0, rows[i].first);
            flows()->Model().SetTextMatrix(int(i) + 1, 1, rows[i].second);
        }
        box("txtCFNumFlows")->setText(QString::number(rows.size()));
    }
    void solve(const char* strategy, const QString& value, const QString& duration,
               const QString& convexity = "") {
        box("txtTargetVal")->setText(value);
        box("txtTargetDur")->setText(duration);
        box("txtTargetConv")->setText(convexity);
        Find<QRadioButton>(p, strategy)->setChecked(true);
        click("cmdSolve");
    }
};

} // namespace

class TestAnalyticsPanel : public QObject {
    Q_OBJECT
private slots:
    void controlsStartAtTheirDefaultsAndAllScale() {
        Panel f;
        QCOMPARE(f.box("txtCFNumFlows")->text(), QString("10"));
        QVERIFY(f.box("txtTargetVal")->text().isEmpty());
        QVERIFY(Find<QRadioButton>(f.p, "oStrategy_0")->isChecked());
        QVERIFY(!Find<QCheckBox>(f.p, "chkCFValues")->isChecked());
        // Every control is registered with the display scaler, those inside the frames too.
        const std::vector<QWidget*>& registered = f.p.Controls();
        for (const char* name :
             {"Grid1", "Frame1", "gridCF", "txtCFNumFlows", "lblCFConvexity", "Label2", "Frame2", "Label3_2",
              "txtTargetConv", "chkCFValues", "oStrategy_1", "cmdSolve"})
            QVERIFY2(std::count(registered.begin(), registered.end(), Find<QWidget>(f.p, name)) == 1, name);
        QCOMPARE(int(f.p.Display().nCont()), int(registered.size()));
    }

    void initializeListsEveryBondAndOpensDespiteABondWithoutYield() {
        Panel f(true);
        GridModel& g = f.grid()->Model();
        QCOMPARE(g.Rows(), 6);
        g.Select(0, 0, 1, 7);
        QCOMPARE(g.Clip(),
                 std::string("\tQuantity\tValue\tYield\t$Duration\t$Convexity\tDuration\tConvexity\r"
                             "6TD\t0\t99.9045\t0.1928\t49.54\t24.57\t0.4959\t0.2459"));
        // The bond without a yield: its value, the failure yield, n/a for what it cannot have.
        g.Select(3, 0, 3, 7);
        QCOMPARE(g.Clip(), std::string("Odd\t0\t130.0000\t-99900.0000\tn/a\tn/a\tn/a\tn/a"));
        QCOMPARE(g.TextMatrix(5, 3), std::string("3.3000"));
        QVERIFY2(f.status.last().contains("Odd") && f.status.last().contains("n/a"),
                 qPrintable(f.status.last()));
        QVERIFY(f.h.dialogs.messages.empty());
        QCOMPARE(f.h.context.ActiveGrid, f.grid());

        // The solve leaves it out and says so.
        f.solve("oStrategy_0", "1000", "3000");
        QCOMPARE(g.TextMatrix(3, 1), std::string("0.0000"));
        QCOMPARE(f.status.last(),
                 QString("Solved: the quantities meet the targets. Left out, as no yield fits "
                         "their price: Odd."));
    }

    void countEntrySizesTheCashFlowTable() {
        Panel f;
        GridModel& g = f.flows()->Model();
        QCOMPARE(g.Rows(), 100);
        QCOMPARE(g.Cols(), 2);
        QCOMPARE(g.FixedCols(), 0);
        const std::pair<const char*, int> cases[] = {
            {"10", 11}, {"3", 4}, {"-3", 4}, {"2.5", 4}, {"4", 5}, {"1e12", 5}, {"abc", 5}, {"0", 5},
        };
        // A count beyond the grid's reach, or one that leaves no data row, keeps the rows.
        for (const auto& [count, rows] : cases) {
            g.SetTextMatrix(0, 1, "x");
            f.enterCount(count);
            QCOMPARE(g.Rows(), rows);
            QCOMPARE(g.TextMatrix(0, 0), std::string("Time"));
            QCOMPARE(g.TextMatrix(0, 1), std::string("Cash Flow"));
        }
        // Clear Data erases everything, headings included; the rows stay.
        g.SetTextMatrix(2, 1, "100");
        f.click("cmdClearData");
        QCOMPARE(g.Rows(), 5);
        QCOMPARE(g.Clip(), std::string(""));
        QCOMPARE(g.TextMatrix(0, 0), std::string(""));
        QVERIFY(f.h.dialogs.messages.empty());
    }

    void calculateShowsTheStreamsMeasures() {
        Panel f;
        // One flow at one year: value, $duration and $convexity agree.
        f.setFlows({{"1", "100"}});
        f.click("cmdCFCalculate");
        const float value = Number(f.caption("lblCFValue"));
        QVERIFY(f.caption("lblCFValue").startsWith("Value: 99."));
        QVERIFY(f.caption("lblCFDuration").startsWith("$Duration: "));
        QVERIFY(qAbs(Number(f.caption("lblCFDuration")) - value) < 2e-3);
        QVERIFY(qAbs(Number(f.caption("lblCFConvexity")) - value) < 2e-3);
        QCOMPARE(f.p.cfValue(), value);

        // Worth 100 e^-y (1 - e^-y/2)^2 >= 0 at any one yield, but below 0 on the rising curve.
        // No yield gives it: the risk measures at the failure yield overflow, which the error report
        // says, and the captions keep the last complete calculation.
        const QString yieldBefore = f.caption("lblCFYield");
        f.setFlows({{"1", "100"}, {"1.5", "-200"}, {"2", "100"}});
        f.click("cmdCFCalculate");
        QCOMPARE(f.h.dialogs.messages.size(), size_t(1));
        QVERIFY(f.h.dialogs.MessageTexts().last().endsWith("The system error is: Overflow"));
        QCOMPARE(f.caption("lblCFYield"), yieldBefore);
        f.h.dialogs.messages.clear();

        // A count beyond the table is reported and changes nothing.
        f.setFlows({{"1", "100"}});
        f.click("cmdCFCalculate");
        const QString before = f.caption("lblCFValue");
        f.box("txtCFNumFlows")->setText("150");
        f.click("cmdCFCalculate");
        QCOMPARE(f.h.dialogs.messages.size(), size_t(1));
        QVERIFY(f.h.dialogs.messages[0].text.find("Subscript out of range") != std::string::npos);
        QCOMPARE(f.caption("lblCFValue"), before);

        // Opening again clears the table but keeps the results.
        f.p.Initialize();
        QCOMPARE(f.flows()->Model().TextMatrix(1, 1), std::string(""));
        QCOMPARE(f.caption("lblCFValue"), before);
        QCOMPARE(f.p.cfValue(), value);
    }

    void pastesGrowTheFlowCount() {
        Panel f;
        GridModel& g = f.flows()->Model();
        std::string fifteen;
        for (int i = 1; i <= 15; ++i)
            fifteen += std::to_string(i) + "\t1,000\r\n";
        const struct {
            const char* how;
            std::string text;
            const char* count;
            int rows;
            int lastRow;
        } cases[] = {
            // Paste Data sizes the table from the count box first.
            {"button", "1\t100\r\n2\t200\r\n", "10", 11, 2},
            {"button", fifteen, "15", 16, 15},
            {"ctrl+v", fifteen, "15", 16, 15},
            {"edit", "7\t70\r\n8\t80\r\n9\t90\r\n", "17", 18, 17},
        };
        for (const auto& c : cases) {
            f.box("txtCFNumFlows")->setText("10");
            f.h.clipboard.content = c.text;
            if (QString(c.how) == "button") {
                f.click("cmdCFPaste");
            } else if (QString(c.how) == "ctrl+v") {
                f.enterCount("10");
                f.flows()->setFocus();
                QTest::keyClick(f.flows(), Qt::Key_V, Qt::ControlModifier);
            } else {
                g.Select(15, 0, 15, 0);
                f.flows()->Paste(f.h.clipboard, f.h.dialogs); // Edit > Paste on the active grid
            }
            QCOMPARE(f.box("txtCFNumFlows")->text(), QString(c.count));
            QCOMPARE(g.Rows(), c.rows);
            QCOMPARE(g.TextMatrix(c.lastRow, 1), std::string(c.lastRow == 2    ? "200"
                                                             : c.lastRow == 17 ? "90"
                                                                               : "1000"));
        }
        // The spreadsheet's row breaks: a leading "0" keeps each time, the last break a "0" row.
        f.h.clipboard.content = "1\t100\r\n2\t200\r\n";
        f.click("cmdCFPaste");
        QCOMPARE(g.TextMatrix(2, 0), std::string("02"));
        QCOMPARE(g.TextMatrix(3, 0), std::string("0"));
        f.click("cmdCFCalculate");
        QVERIFY(f.p.cfValue() > 290 && f.p.cfValue() < 300);

        // Ctrl+A takes the whole table, headings included; the bond grid takes no paste.
        QTest::keyClick(f.flows(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(f.h.clipboard.content->rfind("Time\tCash Flow\r1\t100\r02\t200", 0) == 0);
        const std::string bondCell = Cell(f.grid(), 1, 2);
        f.grid()->Model().Select(1, 2, 1, 2);
        f.grid()->Paste(f.h.clipboard, f.h.dialogs);
        QCOMPARE(Cell(f.grid(), 1, 2), bondCell);
        QVERIFY(f.h.dialogs.messages.empty());
    }

    void cashFlowCellsEditLikeASpreadsheet() {
        Panel f;
        GridView* v = f.flows();
        v->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.p));
        v->setFocus();
        v->setCurrentIndex(v->model()->index(1, 0));
        // Key by key: the first one opens the editor, which takes the rest.
        auto type = [](const char* keys) {
            for (const char* k = keys; *k; ++k)
                QTest::keyClick(QApplication::focusWidget(), *k);
        };
        auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
        type("1.5");
        key(Qt::Key_Right); // at the end of the text: commit and move right
        type("250");
        key(Qt::Key_Return); // commit and move down
        QTRY_COMPARE(Cell(v, 1, 0), std::string("1.5"));
        QTRY_COMPARE(Cell(v, 1, 1), std::string("250"));
        QCOMPARE(v->currentIndex().row(), 2);
        QCOMPARE(v->currentIndex().column(), 1);
        type("9");
        key(Qt::Key_Up); // commit and move up
        QTRY_COMPARE(Cell(v, 2, 1), std::string("9"));
        QCOMPARE(v->currentIndex().row(), 1);
        type("777");
        key(Qt::Key_Escape); // restores
        QCOMPARE(Cell(v, 1, 1), std::string("250"));
        // Delete empties the selection, never the headings.
        v->Model().Select(0, 0, 2, 1);
        key(Qt::Key_Delete);
        QCOMPARE(v->Model().Clip(), std::string("Time\tCash Flow\r\t\r\t"));
        // The bond grid is not edited in place.
        QVERIFY(!(f.grid()->model()->flags(f.grid()->model()->index(1, 2)) & Qt::ItemIsEditable));
    }

    void solveWritesQuantitiesOrSaysWhyNot() {
        Panel f;
        GridView* g = f.grid();
        // Targets that only 5 of the 2-year and 5 of the 10-year bond meet (both at par).
        auto measure = [&](int r, int c) { return QString::fromStdString(Cell(g, r, c)).toDouble(); };
        const double value = 5 * (measure(2, 2) + measure(4, 2));
        const double duration = 5 * (measure(2, 4) + measure(4, 4));
        for (const char* strategy : {"oStrategy_0", "oStrategy_1"}) {
            // Only two bonds in the table: as many as the equality targets.
            Panel two;
            two.h.session.Bonds.erase(two.h.session.Bonds.begin() + 3);
            two.h.session.Bonds.erase(two.h.session.Bonds.begin() + 1);
            two.h.session.nBonds = 2;
            two.p.Initialize();
            two.solve(strategy, QString::number(value, 'f', 4), QString::number(duration, 'f', 2), "0");
            QVERIFY2(qAbs(QString::fromStdString(Cell(two.grid(), 1, 1)).toDouble() - 5) < 2e-3,
                     Cell(two.grid(), 1, 1).c_str());
            QVERIFY2(qAbs(QString::fromStdString(Cell(two.grid(), 2, 1)).toDouble() - 5) < 2e-3,
                     Cell(two.grid(), 2, 1).c_str());
            QCOMPARE(two.status.last(), QString("Solved: the quantities meet the targets."));

            // More duration than any holding of these bonds has: zeros, and the reason.
            two.solve(strategy, "1000", "90000");
            QCOMPARE(Cell(two.grid(), 1, 1), std::string("0.0000"));
            QCOMPARE(Cell(two.grid(), 2, 1), std::string("0.0000"));
            QVERIFY2(two.status.last().endsWith("every quantity is 0."), qPrintable(two.status.last()));
            QVERIFY(two.h.dialogs.messages.empty());
        }

        // Matching the last calculation: the boxes are disabled and the holdings are worth its value.
        auto* match = Find<QCheckBox>(f.p, "chkCFValues");
        QTest::mouseClick(match, Qt::LeftButton);
        for (const char* name : {"txtTargetVal", "txtTargetDur", "txtTargetConv"})
            QVERIFY(!f.box(name)->isEnabled());
        f.setFlows({{"2", "500"}, {"7", "500"}});
        f.click("cmdCFCalculate");
        f.solve("oStrategy_0", "1", "1");
        double worth = 0;
        for (int r = 1; r <= 4; ++r)
            worth += measure(r, 1) * measure(r, 2);
        QVERIFY2(qAbs(worth - f.p.cfValue()) < 0.05, qPrintable(QString::number(worth)));
        QTest::mouseClick(match, Qt::LeftButton);
        QVERIFY(f.box("txtTargetVal")->isEnabled());
        QVERIFY(f.h.dialogs.messages.empty());
    }

    void insideTheWindow() {
        AppHarness h;
        frmYarrow w(h.context);
        w.resize(1200, 860);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        LoadBonds(h.session);
        QTest::mouseClick(Find<QPushButton>(w, "cmdAnalytics"), Qt::LeftButton);
        auto* panel = Find<ucTAnalytics>(w, "ucTAnalytics1");
        QCOMPARE(static_cast<WorkPanel*>(panel), w.CurrentPanel());
        QCOMPARE(GetTwips(panel), (TwipRect{120, 540, 8400, 7260}));
        QCOMPARE(panel->BondGrid()->Model().Rows(), 5);
        QVERIFY(Find<QLabel>(w, "lblStatus")->text().startsWith("Analytics: 4 bond(s)"));

        // Edit > Copy and File > Export Table act on the active grid.
        panel->BondGrid()->Model().Select(4, 0, 4, 3);
        w.findChild<QAction*>("mnuEditCopy")->trigger();
        QCOMPARE(h.clipboard.content.value_or(""), std::string("10\t0\t100.0000\t3.3000"));
        QTemporaryDir dir;
        const QString path = dir.filePath("bonds.csv");
        QVERIFY(w.ExportTable(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), GridCsvText(panel->BondGrid()->Model()));
        QVERIFY(Find<QLabel>(w, "lblStatus")->text().contains("bonds.csv"));
        QVERIFY(!w.ExportTable(dir.filePath("missing/folder/x.csv")));
        QCOMPARE(h.dialogs.messages.size(), size_t(1));
        QVERIFY(h.dialogs.messages[0].text.rfind("The table could not be written to", 0) == 0);

        // Large display stretches the panel's controls; normal display puts them back.
        const TwipRect frame = GetTwips(Find<QWidget>(*panel, "Frame2"));
        w.findChild<QAction*>("mnuOptionsLargeDisplay")->trigger();
        QCOMPARE(GetTwips(panel), (TwipRect{120, 540, 14280, 10890}));
        QVERIFY(Find<QPushButton>(*panel, "cmdSolve")->font().bold());
        w.findChild<QAction*>("mnuOptionsNormalDisplay")->trigger();
        QCOMPARE(GetTwips(Find<QWidget>(*panel, "Frame2")), frame);
        QCOMPARE(Find<QPushButton>(*panel, "cmdSolve")->font().pointSize(), 8);

        // A click in the cash-flow grid makes it the active grid.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        GridView* flows = panel->CashFlowGrid();
        QTest::mouseClick(flows->viewport(), Qt::LeftButton, {},
                          flows->visualRect(flows->model()->index(1, 0)).center());
        QTRY_COMPARE(h.context.ActiveGrid, flows);

        // Without an active grid there is nothing to export.
        h.context.ActiveGrid = nullptr;
        QVERIFY(!w.ExportTable(path));
        QCOMPARE(h.dialogs.messages.back().text, std::string(frmYarrow::kNoTableMessage));
    }
};

QTEST_MAIN(TestAnalyticsPanel)
#include "tst_ucTAnalytics.moc"
