// The text alternative of a plot: the picture box's spoken description follows what is drawn, and
// the Data Table lists exactly the points drawn, from the picture box and from the chart window.

#include "app/support/AppHarness.h"
#include "chart/ChartWidget.h"
#include "chart/ChartWindow.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "curves/ucTCurves.h"
#include "widgets/DataTableWindow.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QClipboard>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

QStringList Row(const QTableWidget* t, int r) {
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c)
        cells << t->item(r, c)->text();
    return cells;
}

} // namespace

class tst_DataTableWindow : public QObject {
    Q_OBJECT
private slots:
    void tableRowsAreTheDrawnPoints() {
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
        auto* box = panel.Picture();
        QCOMPARE(box->accessibleName(), QString("Empty plot"));
        auto* zero = Find<QRadioButton>(panel, "oCurveType_1");
        QTest::mouseClick(zero, Qt::LeftButton, {}, QPoint(6, zero->height() / 2));
        QTRY_VERIFY2(box->accessibleName().startsWith("Zero curve, continuous compounding, 3 bonds, 1.00 to 5.00 years"), qPrintable(box->accessibleName()));

        // The picture box's table: one row per drawn point, in drawing order.
        const std::vector<DisplayList::Line>& lines = box->Plot().Lines();
        QVERIFY(!lines.empty());
        DataTableWindow* t = DataTableWindow::Show(&panel, PlotDataTable(box->Plot(), box->Subject()), "Curves",
                                                   box->accessibleName());
        int r = 0;
        for (const DisplayList::Line& line : lines)
            for (const DisplayList::Point& p : line.points) {
                const QStringList cells = Row(t->Table(), r++);
                QCOMPARE(cells[0], QString("Zero curve"));
                QCOMPARE(cells[2].toFloat(), p.x);
                QCOMPARE(cells[3].toFloat(), float(p.y * 100.0));
            }
        QCOMPARE(t->Table()->rowCount(), r);
        QCOMPARE(t->Table()->horizontalHeaderItem(3)->text(), QString("Rate (%)"));
        QTest::mouseClick(t->findChild<QPushButton*>("cmdDataTableCopy"), Qt::LeftButton);
        QVERIFY(QApplication::clipboard()->text().startsWith("Line\tPoint\tTerm (years)\tRate (%)\nZero curve\t1\t"));

        // The chart window following the picture lists the same points from its chart (Ctrl+D).
        QTest::mouseClick(Find<QPushButton>(panel, "cmdOpenWindow"), Qt::LeftButton);
        auto* w = panel.findChild<ChartWindow*>("frmChartFollow");
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY2(w->View()->accessibleName().startsWith("Chart: Zero; Term (years) 1 to 5"), qPrintable(w->View()->accessibleName()));
        Find<QAction>(*w, "mnuDataTable")->trigger();
        auto* ct = w->findChild<DataTableWindow*>();
        QVERIFY(ct);
        const Chart& chart = w->View()->GetChart();
        r = 0;
        for (const ChartSeries& s : chart.series)
            for (const ChartPoint& p : s.points) {
                const QStringList cells = Row(ct->Table(), r++);
                QCOMPARE(cells[0], QString::fromStdString(s.name));
                QVERIFY(std::abs(cells[2].toDouble() - p.x) < 1e-6 * std::max(1.0, std::abs(p.x)));
                QVERIFY(std::abs(cells[3].toDouble() - p.y) < 1e-6 * std::max(1.0, std::abs(p.y)));
            }
        QCOMPARE(ct->Table()->rowCount(), r);
        QCOMPARE(r, t->Table()->rowCount());
    }
};

QTEST_MAIN(tst_DataTableWindow)
#include "tst_DataTableWindow.moc"
