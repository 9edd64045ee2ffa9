// "Get Data" from the Federal Reserve source against a real HTTP server on 127.0.0.1, driving the
// real window: the rows and quote date it writes, its progress, and the ways a fetch goes wrong.

#include "app/support/AppHarness.h"
#include "support/LocalHttpServer.h"
#include "core/bond/qalBond.h"
#include "core/text/Dates.h"
#include "core/text/RuntimeError.h"
#include "data/qalBloombergData.h"
#include "data/ucYarrowData.h"
#include "shell/frmYarrow.h"
#include "widgets/BrowserPane.h"
#include "widgets/GridView.h"
#include "base/MousePointer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

std::string Cell(frmYarrow& w, int r, int c) {
    const GridModel& g = Find<GridView>(w, "Grid1")->Model();
    return r < g.Rows() && c < g.Cols() ? g.TextMatrix(r, c) : std::string("<none>");
}

// A served copy of the snapshot and a window whose series folder is on that server.
struct Fixture {
    test::FrbDataCopy data{test::BundledFrbFolder()};
    std::unique_ptr<test::LocalHttpServer> server;
    AppHarness h;
    std::unique_ptr<frmYarrow> w;
    QStringList status;
    QList<bool> hourglassAtProgress;

    void Start(int timeoutMs = 30000) {
        server = std::make_unique<test::LocalHttpServer>(data.Root());
        QVERIFY(server->IsRunning());
        h.context.frbDataUrl = QUrl(server->Url("/FRBData/"));
        h.context.fetchTimeoutMs = timeoutMs;
        w = std::make_unique<frmYarrow>(h.context);
        QObject::connect(w->DataPanel(), &ucYarrowData::StatusText, w.get(), [this](const QString& s) {
            status << s;
            hourglassAtProgress << MousePointer::IsHourglass();
        });
        w->Load();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void ClickGetData() { QTest::mouseClick(Find<QPushButton>(*w, "cmdGetData"), Qt::LeftButton); }
    // Runs `action` shortly after the status line first says file `n` of ten is loading.
    void WhenLoadingFile(int n, int delayMs, std::function<void()> action) {
        auto done = std::make_shared<bool>(false);
        QObject::connect(w->DataPanel(), &ucYarrowData::StatusText, w.get(),
                         [this, n, delayMs, done, action](const QString& s) {
                             if (*done || !s.contains(QString("(file %1 of 10)").arg(n)))
                                 return;
                             *done = true;
                             QTimer::singleShot(delayMs, w.get(), action);
                         });
    }
    QString Message(size_t i) const {
        return i < h.dialogs.messages.size() ? QString::fromStdString(h.dialogs.messages[i].text) : QString();
    }
};

} // namespace

class TestGetData : public QObject {
    Q_OBJECT
private slots:
    void fetchFillsTheGridTheQuoteDateAndTheTable() {
        Fixture f;
        f.Start();
        f.ClickGetData();
        QVERIFY2(f.h.dialogs.messages.empty(), qPrintable(f.Message(0)));
        QVERIFY(f.h.dialogs.questions.empty());
        frmYarrow& w = *f.w;
        const GridModel& g = Find<GridView>(w, "Grid1")->Model();
        QCOMPARE(g.Rows(), 12);
        QCOMPARE(g.Cols(), 5);
        QCOMPARE(Cell(w, 9, 1), std::string("10"));
        QCOMPARE(Cell(w, 9, 2), std::string("3.3000"));
        QCOMPARE(Cell(w, 9, 3), std::string("12/31/2020"));
        QCOMPARE(Cell(w, 9, 4), std::string("100"));
        QCOMPARE(Cell(w, 2, 1), std::string("3TD"));
        QCOMPARE(Cell(w, 2, 4), std::string("0.1200"));
        QCOMPARE(Cell(w, 3, 3), std::string("6/30/2011"));
        QCOMPARE(Cell(w, 11, 2), std::string("4.3400"));
        QCOMPARE(Cell(w, 1, 1), std::string(""));
        QCOMPARE(Find<QLineEdit>(w, "txtQuoteDate")->text(), QString("12/31/2010"));
        QCOMPARE(f.h.session.quoteDate, std::string("2010-12-31"));
        QCOMPARE(f.h.session.nBonds, int16_t(10));
        QCOMPARE(f.h.session.Bond(8).GetCoupon(), 0.033f);

        // Progress: which file of ten, under the hourglass; the pane shows the last file.
        QCOMPARE(f.status.first(), QString("Loading H15_TCMNOM_M3_2010.txt (file 1 of 10)..."));
        QCOMPARE(f.status[9], QString("Loading H15_TCMNOM_Y30_2010.txt (file 10 of 10)..."));
        QVERIFY(f.status.last().contains("10 bond(s)"));
        QVERIFY(!f.hourglassAtProgress.mid(0, 10).contains(false));
        QVERIFY(!MousePointer::IsHourglass());
        QVERIFY(Find<QPushButton>(w, "cmdStop")->isEnabled());
        QVERIFY(w.Browser2Pane().LocationURL().endsWith("/FRBData/H15_TCMNOM_Y30_2010.txt"));
    }

    void dayFirstSystemWritesDatesDayFirst() {
        Fixture f;
        f.h.context.systemDateOrder = DateOrder::DayFirst;
        f.Start();
        QCOMPARE(f.h.session.DateFormat(), std::string("dd/mm/yyyy"));
        QCOMPARE(Find<QLineEdit>(*f.w, "txtQuoteDate")->text(),
                 QString::fromStdString(FormatDate(Today(), "dd/mm/yyyy")));
        f.ClickGetData();
        QVERIFY2(f.h.dialogs.messages.empty(), qPrintable(f.Message(0)));
        QCOMPARE(Find<QLineEdit>(*f.w, "txtQuoteDate")->text(), QString("31/12/2010"));
        QCOMPARE(Cell(*f.w, 9, 3), std::string("31/12/2020"));
        QCOMPARE(Cell(*f.w, 3, 3), std::string("30/6/2011"));
        QCOMPARE(f.h.session.nBonds, int16_t(10));
    }

    void missingFileStopsTheFetchAndKeepsEarlierRows() {
        Fixture f;
        f.data.Remove("H15_TCMNOM_Y2_2010.txt"); // the server answers 404 with an error page
        f.Start();
        f.ClickGetData();
        QCOMPARE(f.h.dialogs.messages.size(), size_t(1));
        QCOMPARE(f.h.dialogs.messages[0].text, ErrorReportText("Subscript out of range"));
        QCOMPARE(f.h.dialogs.messages[0].title, std::string("Vantorix"));
        QVERIFY(f.h.dialogs.messages[0].icon == MessageIcon::Critical);
        QCOMPARE(Cell(*f.w, 4, 2), std::string("0.2900"));
        QCOMPARE(Cell(*f.w, 5, 1), std::string(""));
        QCOMPARE(f.h.session.nBonds, int16_t(0));
        QVERIFY(!MousePointer::IsHourglass());
    }

    void bodyWithoutCommasFails() {
        Fixture f;
        f.data.Write("H15_TCMNOM_Y1_2010.txt", "no commas here\r\nnone at all\r\n");
        f.Start();
        f.ClickGetData();
        QCOMPARE(f.h.dialogs.MessageTexts(),
                 QStringList{QString::fromStdString(ErrorReportText("Subscript out of range"))});
        QCOMPARE(Cell(*f.w, 3, 1), std::string("6TD"));
        QCOMPARE(Cell(*f.w, 4, 1), std::string(""));
    }

    void nonNumericRateReadsAsZeroAndTheFetchGoesOn() {
        Fixture f;
        f.data.Write("H15_TCMNOM_M3_2010.txt", "2010-12-30,0.12\r\n2010-12-31,ND\r\n");
        f.Start();
        f.ClickGetData();
        QCOMPARE(Cell(*f.w, 2, 4), std::string("0.0000"));
        QCOMPARE(Cell(*f.w, 11, 2), std::string("4.3400"));
        QCOMPARE(Find<QLineEdit>(*f.w, "txtQuoteDate")->text(), QString("12/31/2010"));
    }

    void fileThatNeverLoadsTimesOut() {
        Fixture f;
        f.data.MakeHang("H15_TCMNOM_Y5_2010.txt");
        f.Start(2000);
        QElapsedTimer t;
        t.start();
        f.ClickGetData();
        const qint64 ms = t.elapsed();
        QVERIFY2(ms >= 2000 && ms < 15000, qPrintable(QString::number(ms)));
        QCOMPARE(f.h.dialogs.messages.size(), size_t(1));
        const QString text = f.Message(0);
        QVERIFY2(text.contains("H15_TCMNOM_Y5_2010.txt did not finish loading within 2 seconds"),
                 qPrintable(text));
        // Rows 2..6 were written before the file that hung.
        QCOMPARE(Cell(*f.w, 6, 2), std::string("1.0200"));
        QCOMPARE(Cell(*f.w, 7, 1), std::string(""));
        QVERIFY(f.w->Browser2Pane().StopRequested());
        QVERIFY(!f.w->DataPanel()->IsFetching());
        QVERIFY(!MousePointer::IsHourglass());
        QVERIFY(f.status.last().startsWith("Get Data failed"));
    }

    void stopEndsTheWaitAtOnce() {
        Fixture f;
        f.data.MakeHang("H15_TCMNOM_Y5_2010.txt");
        f.Start(30000);
        f.WhenLoadingFile(6, 300,
                          [&] { QTest::mouseClick(Find<QPushButton>(*f.w, "cmdStop"), Qt::LeftButton); });
        QElapsedTimer t;
        t.start();
        f.ClickGetData();
        QVERIFY2(t.elapsed() < 10000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(f.h.dialogs.messages.size(), size_t(1));
        QVERIFY2(f.Message(0).contains("Loading of H15_TCMNOM_Y5_2010.txt was stopped"),
                 qPrintable(f.Message(0)));
        QCOMPARE(Cell(*f.w, 6, 2), std::string("1.0200"));
        QCOMPARE(f.w->Browser2Pane().Tag(), QString("alldone"));
        QCOMPARE(f.h.session.nBonds, int16_t(0));
    }

    void secondGetDataIsRefusedWhileAFetchRuns() {
        Fixture f;
        f.data.MakeHang("H15_TCMNOM_Y5_2010.txt");
        f.Start(30000);
        bool stopEnabled = false;
        f.WhenLoadingFile(6, 200, [&] {
            QVERIFY(f.w->DataPanel()->IsFetching());
            f.ClickGetData();
            stopEnabled = Find<QPushButton>(*f.w, "cmdStop")->isEnabled();
            QTimer::singleShot(200, f.w.get(), [&] {
                QTest::mouseClick(Find<QPushButton>(*f.w, "cmdStop"), Qt::LeftButton);
            });
        });
        f.ClickGetData();
        QVERIFY(stopEnabled);
        QVERIFY(f.h.dialogs.questions.empty());
        QCOMPARE(f.h.dialogs.messages.size(), size_t(2));
        QCOMPARE(f.Message(0), QString(ucYarrowData::kBusyMessage));
        QVERIFY(f.Message(1).contains("was stopped"));
        // The refused press fetched nothing: one request per file up to the one that hung.
        QCOMPARE(f.status.filter("(file 1 of 10)").size(), 1);
    }

    void answerNoRebuildsFromHandEditedRows() {
        Fixture f;
        f.Start();
        f.ClickGetData();
        QCOMPARE(f.h.session.nBonds, int16_t(10));
        auto* grid = Find<GridView>(*f.w, "Grid1");
        // Type a new 30-year coupon into the grid.
        f.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(11, 2)).center());
        QTest::keyClick(grid, Qt::Key_5);
        QTest::keyClicks(QApplication::focusWidget(), ".00");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(grid->Model().TextMatrix(11, 2), std::string("5.00"));
        // and a quote date typed by hand, which the rebuild must use as it stands.
        Find<QLineEdit>(*f.w, "txtQuoteDate")->setText("12/30/2010");

        QSignalSpy navigations(&f.w->Browser2Pane(), &BrowserPane::NavigateRequested);
        f.h.dialogs.answers = {false};
        f.ClickGetData();
        QCOMPARE(f.h.dialogs.questions, std::vector<std::string>{ucYarrowData::kAgainQuestion});
        QVERIFY(f.h.dialogs.unscripted.empty());
        QCOMPARE(navigations.size(), 0);
        QCOMPARE(Find<QLineEdit>(*f.w, "txtQuoteDate")->text(), QString("12/30/2010"));
        QCOMPARE(f.h.session.nBonds, int16_t(10));
        QCOMPARE(f.h.session.Bond(10).GetCoupon(), 0.05f);
        QVERIFY(f.h.dialogs.messages.empty());
    }

    void pastedRowsCountAsDataToo() {
        // No bonds yet, but rows pasted by hand: "Get Data" asks before fetching over them.
        Fixture f;
        f.Start();
        auto* grid = Find<GridView>(*f.w, "Grid1");
        // A fresh grid has one row under its heading: a block with its headings goes there.
        f.h.clipboard.content =
            "Name\tCoupon\tMaturity\tQuote\r\nB1\t4.5\t12/31/2015\t101.5\r\nB2\t5\t12/31/2020\t99.25\r\n";
        QCOMPARE(grid->Model().Rows(), 2);
        grid->Model().Select(1, 1, 1, 1);
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid->Model().Rows(), 4);
        QCOMPARE(grid->Model().Cols(), 5);
        QCOMPARE(grid->Model().TextMatrix(1, 4), std::string("Quote"));
        QCOMPARE(grid->Model().TextMatrix(3, 1), std::string(" B2")); // the LF became a blank
        QCOMPARE(grid->Model().TextMatrix(3, 4), std::string("99.25"));

        Find<QLineEdit>(*f.w, "txtQuoteDate")->setText("12/31/2010");
        QSignalSpy navigations(&f.w->Browser2Pane(), &BrowserPane::NavigateRequested);
        f.h.dialogs.answers = {false};
        f.ClickGetData();
        QCOMPARE(f.h.dialogs.questions.size(), size_t(1));
        QCOMPARE(navigations.size(), 0);
        QCOMPARE(f.h.session.nBonds, int16_t(2));
        QCOMPARE(f.h.session.Bond(1).GetCoupon(), 0.045f);

        // Yes fetches over them.
        f.h.dialogs.answers = {true};
        f.ClickGetData();
        QCOMPARE(f.h.session.nBonds, int16_t(10));
        QCOMPARE(Cell(*f.w, 2, 1), std::string("3TD"));
    }

    void excelSourceShowsItsFrameUnderTheGrid() {
        Fixture f;
        f.Start();
        auto* rates = Find<QComboBox>(*f.w, "cmbRates");
        QCOMPARE(rates->count(), 2);
        QCOMPARE(rates->itemText(0), QString("Data from Excel"));
        QCOMPARE(rates->itemText(1), QString("Federal reserve data"));
        QCOMPARE(rates->currentIndex(), 1);
        auto* frame = Find<QWidget>(*f.w, "exlFrame");
        QVERIFY(!frame->isVisible());
        rates->setCurrentIndex(0);
        QVERIFY(frame->isVisible());
        const TwipRect grid = GetTwips(Find<QWidget>(*f.w, "Grid1"));
        QCOMPARE(GetTwips(frame).left, grid.left);
        QCOMPARE(GetTwips(frame).top, grid.top + grid.height + 25);
        auto* yield = Find<QLineEdit>(*f.w, "txtYieldCol");
        QTest::mouseClick(Find<QCheckBox>(*f.w, "chkNoYield"), Qt::LeftButton);
        QVERIFY(!yield->isEnabled());
        QTest::mouseClick(Find<QCheckBox>(*f.w, "chkNoYield"), Qt::LeftButton);
        QVERIFY(yield->isEnabled());
        rates->setCurrentIndex(1);
        QVERIFY(!frame->isVisible());
        for (const char* name :
             {"txtNameCol", "txtCouponCol", "txtMaturityCol", "txtQuoteCol", "txtYieldCol", "txtStartRow",
              "txtEndRow", "exlCombo", "cmdFindSheets", "exlText", "lblYieldCol"})
            QVERIFY2(f.w->findChild<QWidget*>(name), name);
    }
};

QTEST_MAIN(TestGetData)
#include "tst_GetData.moc"
