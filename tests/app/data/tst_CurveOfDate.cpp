// File > "Treasury Curve of a Date...": the dialog's calendar and slider, and the table it loads
// into the real window.

#include "app/support/AppHarness.h"
#include "core/bond/qalBond.h"
#include "data/frmCurveOfDate.h"
#include "data/ucYarrowData.h"
#include "shell/frmYarrow.h"
#include "widgets/GridView.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

struct Window {
    AppHarness h;
    std::unique_ptr<frmYarrow> w;
    QStringList status;
    void Start() {
        w = std::make_unique<frmYarrow>(h.context);
        QObject::connect(w->DataPanel(), &ucYarrowData::StatusText, w.get(),
                         [this](const QString& s) { status << s; });
        w->Load();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    frmCurveOfDate* Open() {
        Find<QAction>(*w, "mnuCurveOfDate")->trigger();
        return w->CurveOfDate();
    }
    std::string Cell(int r, int c) const {
        const GridModel& g = Find<GridView>(*w, "Grid1")->Model();
        return r < g.Rows() && c < g.Cols() ? g.TextMatrix(r, c) : std::string("<none>");
    }
    QString QuoteDate() const { return Find<QLineEdit>(*w, "txtQuoteDate")->text(); }
};

} // namespace

class TestCurveOfDate : public QObject {
    Q_OBJECT
private slots:
    // Each way of choosing a day ends in the table of the day the rates come from.
    void choosingADayLoadsItsTable() {
        Window win;
        win.Start();
        struct Case {
            const char* how;
            QDate calendar; // or, when null, the slider's stop
            int slider;
            QString quoteDate;
            int bonds;
            const char* firstRow;
            const char* lastRow;
            const char* ratesPart;
        };
        const Case cases[] = {
            {"calendar", QDate(2010, 6, 30), 0, "06/30/2010", 10, "3TD", "30", "3M 0.18   6M 0.22   1Y 0.32"},
            {"Sunday", QDate(2010, 7, 4), 0, "07/02/2010", 10, "3TD", "30", "Quote date 07/02/2010 (Friday)"},
            {"1981", QDate(1981, 9, 30), 0, "09/30/1981", 7, "1", "30", "Not published then: 3M, 6M, 20Y"},
            {"2004", QDate(2004, 6, 15), 0, "06/15/2004", 9, "3TD", "20", "Not published then: 30Y"},
            {"slider start", QDate(), 0, "01/02/1962", 4, "1", "10",
             "1Y 3.22   3Y 3.70   5Y 3.88   10Y 4.06"},
        };
        for (const Case& c : cases) {
            frmCurveOfDate* dlg = win.Open();
            QVERIFY2(dlg && dlg->isVisible(), c.how);
            if (c.calendar.isValid())
                Find<QCalendarWidget>(*dlg, "calDate")->setSelectedDate(c.calendar);
            else
                Find<QSlider>(*dlg, "sldHistory")->setValue(c.slider);
            QVERIFY2(Find<QLabel>(*dlg, "lblRates")->text().contains(c.ratesPart),
                     qPrintable(Find<QLabel>(*dlg, "lblRates")->text()));
            QTest::mouseClick(Find<QPushButton>(*dlg, "cmdLoad"), Qt::LeftButton);
            QTRY_VERIFY(!win.w->CurveOfDate());
            QTRY_COMPARE(win.QuoteDate(), c.quoteDate);
            QCOMPARE(int(win.h.session.nBonds), c.bonds);
            QCOMPARE(win.Cell(2, 1), std::string(c.firstRow));
            QCOMPARE(win.Cell(c.bonds + 1, 1), std::string(c.lastRow));
            QCOMPARE(win.Cell(c.bonds + 2, 1), std::string(c.bonds < 10 ? "" : "<none>"));
            QVERIFY(win.status.last().contains("quote date " + c.quoteDate));
        }
        // The dialog opens on the newest day held, whatever the grid shows; the calendar and the
        // slider follow each other.
        frmCurveOfDate* dlg = win.Open();
        QCOMPARE(Find<QCalendarWidget>(*dlg, "calDate")->selectedDate(), QDate(2025, 7, 11));
        auto* slider = Find<QSlider>(*dlg, "sldHistory");
        QCOMPARE(slider->value(), slider->maximum());
        slider->setValue(0);
        QCOMPARE(Find<QCalendarWidget>(*dlg, "calDate")->selectedDate(), QDate(1962, 1, 2));
        Find<QCalendarWidget>(*dlg, "calDate")->setSelectedDate(QDate(2004, 6, 11)); // no rates that day
        QCOMPARE(Find<QLabel>(*dlg, "lblSliderDate")->text(), QString("06/11/2004"));
        const int holiday = slider->value();
        Find<QCalendarWidget>(*dlg, "calDate")->setSelectedDate(QDate(2004, 6, 10));
        QCOMPARE(slider->value(), holiday);
        dlg->reject();
        QTRY_VERIFY(!win.w->CurveOfDate());
        QCOMPARE(win.QuoteDate(), QString("01/02/1962"));
        QVERIFY(win.h.dialogs.messages.empty());
        QVERIFY(win.h.dialogs.unscripted.empty());
        // The table is real: the 1962 bonds price at par.
        QVERIFY(std::abs(win.h.session.Bond(1).GetPrice() - 100.0f) < 0.01f);
    }

    void unreadableHistoryIsReportedAndNothingChanges() {
        Window win;
        win.h.context.cmtHistoryPath = QDir::tempPath() + "/no-such-history.ycmt";
        win.Start();
        const QString before = win.QuoteDate();
        QVERIFY(!win.Open());
        QCOMPARE(win.h.dialogs.messages.size(), size_t(1));
        QVERIFY(QString::fromStdString(win.h.dialogs.messages[0].text)
                    .startsWith("The Treasury history cannot be read"));
        QCOMPARE(win.QuoteDate(), before);
        QCOMPARE(int(win.h.session.nBonds), 0);
    }
};

QTEST_MAIN(TestCurveOfDate)
#include "tst_CurveOfDate.moc"
