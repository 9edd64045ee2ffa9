// The Rate Shocks window inside the main window: opened from the Lessons menu, driven by its
// presets, slider and knot table, fed by the analytics panel's Solve and by a new bond table,
// with Ctrl+C and Export Table on its grid. The arithmetic is the core's and tested there.

#include "analytics/ucTAnalytics.h"
#include "app/support/AppHarness.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridCsv.h"
#include "data/ucYarrowData.h"
#include "lessons/frmRateShocks.h"
#include "shell/frmYarrow.h"
#include "widgets/GridView.h"
#include "widgets/PictureBox.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <set>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

void LoadBonds(Session& session) {
    const char* rows[][4] = {{"6TD", "0", "06/30/2011", "0.19"},
                             {"2", "0.61", "12/31/2012", "100"},
                             {"5", "2.01", "12/31/2015", "100"},
                             {"10", "3.30", "12/31/2020", "100"}};
    GridModel data(6, 6, 1, 1);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            data.SetTextMatrix(r + 2, c + 1, rows[r][c]);
    BuildBondTable(session, data, "12/31/2010");
}

std::set<std::string> Layers(PictureBox* p) {
    std::set<std::string> layers;
    for (const DisplayList::Line& l : p->Plot().Lines())
        layers.insert(l.layer);
    return layers;
}

} // namespace

class TestRateShocks : public QObject {
    Q_OBJECT
private slots:
    void wiring() {
        AppHarness h;
        frmYarrow w(h.context);
        w.resize(1200, 860);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        LoadBonds(h.session);
        w.findChild<QAction*>("mnuRateShocks")->trigger();
        frmRateShocks* s = w.RateShocks();
        QVERIFY(s && s->isVisible());
        GridView* grid = s->BondGrid();
        QCOMPARE(grid->Model().Rows(), 5); // heading and four bonds, no portfolio yet
        QCOMPARE(grid->Model().TextMatrix(0, 9), std::string("Error D"));

        // The slider and the box move together and reprice at once.
        Find<QSlider>(*s, "sldShift")->setValue(100);
        QCOMPARE(Find<QSpinBox>(*s, "txtShift")->value(), 100);
        QCOMPARE(s->Knots(), (ShockKnots{{0, 100}}));
        QCOMPARE(grid->Model().TextMatrix(4, 2), std::string("100.00"));
        QCOMPARE(Layers(s->CurvePicture()), (std::set<std::string>{"zero", "shocked"}));
        QCOMPARE(Layers(s->PriceYieldPicture()),
                 (std::set<std::string>{"price", "duration", "convexity", "marker"}));
        Find<QSpinBox>(*s, "txtShift")->setValue(-40);
        QCOMPARE(Find<QSlider>(*s, "sldShift")->value(), -40);
        QCOMPARE(grid->Model().TextMatrix(1, 2), std::string("-40.00"));

        // A preset keeps N; an edited knot makes the shape the user's, a bad one is refused.
        QTest::mouseClick(Find<QPushButton>(*s, "cmdSteepener"), Qt::LeftButton);
        QCOMPARE(s->Knots(), (ShockKnots{{2, 20}, {10, -20}}));
        QCOMPARE(s->KnotGrid()->Model().TextMatrix(2, 1), std::string("-20"));
        QAbstractItemModel* knots = s->KnotGrid()->model();
        QVERIFY(knots->setData(knots->index(1, 1), "-80", Qt::EditRole));
        QCOMPARE(s->Knots(), (ShockKnots{{2, -80}, {10, -20}}));
        QVERIFY(!Find<QPushButton>(*s, "cmdSteepener")->isChecked());
        QVERIFY(knots->setData(knots->index(2, 0), "2", Qt::EditRole));
        QCOMPARE(s->Knots(), (ShockKnots{{2, -80}, {10, -20}}));
        QVERIFY(Find<QLabel>(*s, "lblStatus")->text().contains("two knots at 2 years"));

        // The analytics panel's Solve adds the portfolio row.
        w.cmdAnalytics_Click();
        auto* analytics = Find<ucTAnalytics>(w, "ucTAnalytics1");
        Find<QLineEdit>(*analytics, "txtTargetVal")->setText("100");
        Find<QLineEdit>(*analytics, "txtTargetDur")->setText("300");
        analytics->cmdSolve_Click();
        QVERIFY(!analytics->LastHoldings().empty());
        QCOMPARE(grid->Model().Rows(), 6);
        QCOMPARE(grid->Model().TextMatrix(5, 0), std::string("Portfolio"));

        // Ctrl+C and Export Table work on the window's grid.
        grid->setFocus();
        QTRY_COMPARE(h.context.ActiveGrid, grid);
        grid->Model().Select(2, 0, 2, 1);
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(h.clipboard.content.value_or(""), "2\t" + grid->Model().TextMatrix(2, 1));
        QTemporaryDir dir;
        QVERIFY(w.ExportTable(dir.filePath("shocks.csv")));
        QFile file(dir.filePath("shocks.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), GridCsvText(grid->Model()));

        // A new bond table (a day of the history) is followed, the holdings kept by bond name.
        const std::string before = grid->Model().TextMatrix(5, 3);
        QVERIFY(w.DataPanel()->LoadHistoryDay(MakeDate(2006, 6, 30)));
        QCOMPARE(grid->Model().Rows(), h.session.nBonds + 2);
        QCOMPARE(grid->Model().TextMatrix(h.session.nBonds + 1, 0), std::string("Portfolio"));
        QVERIFY(grid->Model().TextMatrix(h.session.nBonds + 1, 3) != before);
        QVERIFY(h.dialogs.messages.empty());
    }
};

QTEST_MAIN(TestRateShocks)
#include "tst_frmRateShocks.moc"
