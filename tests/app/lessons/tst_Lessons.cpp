// The Lessons menu opens its three windows on the bundled history: the spread with its
// inversions table, the film stepping and exporting frames, the map of every business day.

#include "app/support/AppHarness.h"
#include "chart/ChartWidget.h"
#include "lessons/CurveFilmWindow.h"
#include "lessons/LessonSource.h"
#include "lessons/SpreadWindow.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace yarrow;
using test::Find;

class tst_Lessons : public QObject {
    Q_OBJECT
private slots:
    void lessonsMenuOpensTheWindows() {
        QMainWindow main;
        QMenu* menu = main.menuBar()->addMenu("Lessons");
        LessonSource::AddLessonItems(menu, &main);
        Find<QAction>(*menu, "mnuSpread")->trigger();
        auto* spread = main.findChild<SpreadWindow*>("frmSpread");
        QVERIFY(spread);
        QVERIFY(spread->findChild<QTableWidget*>("tblInversions")->rowCount() >= 10);
        Find<QAction>(*menu, "mnuSpread")->trigger();
        QCOMPARE(main.findChildren<SpreadWindow*>().size(), 1);

        Find<QAction>(*menu, "mnuCurveFilm")->trigger();
        auto* film = main.findChild<CurveFilmWindow*>("frmCurveFilm");
        QVERIFY(film && film->FrameCount() > 100);
        film->findChild<QDateEdit*>("txtFrom")->setDate(QDate(1981, 6, 1));
        film->findChild<QDateEdit*>("txtTo")->setDate(QDate(1981, 6, 30));
        QTest::mouseClick(film->findChild<QPushButton*>("cmdForward"), Qt::LeftButton);
        QCOMPARE(film->Frame(), 1);
        QVERIFY(film->View()->GetChart().title.rfind("1981-06", 0) == 0);
        QTemporaryDir dir;
        QString error;
        QCOMPARE(film->ExportFrames(dir.path(), 320, 200, &error), film->FrameCount());
        QCOMPARE(QDir(dir.path()).entryList({"frame-*.png"}).size(), film->FrameCount());

        Find<QAction>(*menu, "mnuCurveMap")->trigger();
        auto* map = main.findChild<ChartWindow*>("frmCurveMap");
        QVERIFY(map && map->View()->GetChart().heat && map->View()->GetChart().heat->Columns() > 15000);
    }
};

QTEST_MAIN(tst_Lessons)
#include "tst_Lessons.moc"
