// The chart window's zoom, readout, save and copy; "Open in Window" following the curves panel.

#include "app/support/AppHarness.h"
#include "chart/ChartWidget.h"
#include "chart/ChartWindow.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "curves/ucTCurves.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

class tst_ChartWindow : public QObject {
    Q_OBJECT
private slots:
    void zoomReadoutSaveAndCopy() {
        ChartWindow w("Test");
        Chart c;
        c.xTitle = "Term";
        c.series.push_back({"Line", "", kChartBlue, ChartLineStyle::kSolid, 2, 1, {{0, 0}, {10, 5}, {20, 2}}});
        w.SetChart(c);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ChartWidget* v = w.View();
        const ChartRange whole = v->View();
        const ChartLayout l = v->Layout();
        const QPoint a(int(l.PixelX(5)), int(l.PixelY(4))), b(int(l.PixelX(10)), int(l.PixelY(1)));
        QTest::mousePress(v, Qt::LeftButton, {}, a);
        QTest::mouseMove(v, b);
        QTest::mouseRelease(v, Qt::LeftButton, {}, b);
        QVERIFY(v->Zoomed());
        QVERIFY(std::abs(v->View().xMin - 5) < 0.2 && std::abs(v->View().xMax - 10) < 0.2);
        QVERIFY(std::abs(v->View().yMin - 1) < 0.2 && std::abs(v->View().yMax - 4) < 0.2);
        QTest::mouseDClick(v, Qt::LeftButton, {}, a);
        QVERIFY(!v->Zoomed());
        QCOMPARE(v->View(), whole);
        QWheelEvent wheel(QPointF(a), v->mapToGlobal(QPointF(a)), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(v, &wheel);
        QVERIFY(v->View().xMax - v->View().xMin < whole.xMax - whole.xMin);
        QTest::mouseMove(v, a);
        QVERIFY(Find<QLabel>(w, "lblReadout")->text().startsWith("Term "));

        QTemporaryDir dir;
        QString error;
        QVERIFY(w.SaveTo(dir.filePath("c.svg"), &error));
        QVERIFY(w.SaveTo(dir.filePath("c.png"), &error));
        QCOMPARE(QImage(dir.filePath("c.png")).size(), v->size());
        QVERIFY(!w.SaveTo(dir.filePath("c.txt"), &error));
        Find<QAction>(w, "mnuCopyData")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(c.DataText()));
    }

    void openInWindowFollowsThePanel() {
        AppHarness h;
        GridModel grid(5, 6, 1, 1);
        const char* rows[3][4] = {{"1", "0.3", "12/31/2011", "100"}, {"2", "0.6", "12/31/2012", "100"},
                                  {"5", "2.0", "12/31/2015", "100"}};
        for (int i = 0; i < 3; ++i)
            for (int c = 0; c < 4; ++c)
                grid.SetTextMatrix(i + 2, c + 1, rows[i][c]);
        BuildBondTable(h.session, grid, "12/31/2010");
        ucTCurves panel(h.context);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.Initialize();
        QTest::mouseClick(Find<QPushButton>(panel, "cmdOpenWindow"), Qt::LeftButton);
        auto* w = panel.findChild<ChartWindow*>("frmChartFollow");
        QVERIFY(w);
        QVERIFY(w->View()->GetChart().series.empty());
        auto* ytm = Find<QRadioButton>(panel, "oCurveType_0");
        QTest::mouseClick(ytm, Qt::LeftButton, {}, QPoint(6, ytm->height() / 2));
        QTest::mouseClick(Find<QPushButton>(panel, "cmdPlot"), Qt::LeftButton);
        QTRY_COMPARE(w->View()->GetChart().series.size(), size_t(1));
        QCOMPARE(w->View()->GetChart().series[0].points.size(), size_t(3));
        // Asked again, the same window comes forward.
        QTest::mouseClick(Find<QPushButton>(panel, "cmdOpenWindow"), Qt::LeftButton);
        QCOMPARE(panel.findChildren<ChartWindow*>().size(), 1);
    }
};

QTEST_MAIN(tst_ChartWindow)
#include "tst_ChartWindow.moc"
