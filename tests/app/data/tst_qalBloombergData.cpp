// The fetch loop of the Federal Reserve source over a scripted browser pane: what it reads, and
// how a stop, a time limit or another navigation ends it, without a real browser.

#include "core/data/FrbSeries.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"
#include "data/qalBloombergData.h"
#include "widgets/BrowserPane.h"

#include <QElapsedTimer>
#include <QMap>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace yarrow;

namespace {

// A pane that "loads" a page a few milliseconds after Navigate. Pages not in `pages` never
// finish. Like the real browser, a stop completes the load on whatever page was shown before.
class ScriptedPane : public BrowserPane {
public:
    QMap<QString, QString> pages;
    QStringList visited;
    std::function<void(const QString& url)> onNavigate;

    void Navigate(const QString& url, int flags = 0) override {
        emit NavigateRequested(url, flags);
        CountNavigation();
        SetStopRequested(false);
        visited << url;
        state_ = kReadyStateLoading;
        pending_ = url;
        if (onNavigate)
            onNavigate(url);
        if (pages.contains(url))
            QTimer::singleShot(5, this, [this, url] {
                if (pending_ != url)
                    return;
                shown_ = url;
                state_ = kReadyStateComplete;
                SetTag(kAllDone);
            });
    }
    void GoBack() override {}
    void GoForward() override {}
    void Stop() override {
        pending_.clear();
        state_ = kReadyStateComplete;
        SetStopRequested(true);
    }
    int ReadyState() const override { return state_; }
    QString LocationURL() const override { return shown_; }
    QString BodyMarkup() override { return pages.value(shown_); }

private:
    int state_ = kReadyStateUninitialized;
    QString pending_, shown_;
};

const QString kFolder = "http://data.test/FRBData/";

QString Pre(const QString& lines) {
    return "<pre style=\"word-wrap: break-word; white-space: pre-wrap;\">" + lines + "</pre>";
}

// All ten files, each ending with a 2010-12-31 line at the given rate.
void AddAllFiles(ScriptedPane& pane) {
    const char* rates[] = {"0.12", "0.19", "0.29", "0.61", "1.02", "2.01", "2.71", "3.30", "4.13", "4.34"};
    for (int i = 0; i < kFrbSeriesCount; ++i)
        pane.pages[kFolder + QString::fromStdString(FrbSeriesFileName(i))] =
            Pre(QString("2010-12-30,9.99\n2010-12-31,%1\n").arg(rates[i]));
}

struct Rig {
    Session session;
    GridModel grid;
    ScriptedPane pane;
    qalBloombergData source{session, kFolder};
    Rig() { source.myBrowser = &pane; }
};

} // namespace

class TestRateSource : public QObject {
    Q_OBJECT
private slots:
    void readsTheLastLineOfEachFileInOrder() {
        Rig r;
        AddAllFiles(r.pane);
        QStringList progress;
        r.source.progress = [&](int i, int n, const QString& file) {
            progress << QString("%1/%2 %3").arg(i + 1).arg(n).arg(file);
        };
        r.source.GrabFRBYieldCurve(7, r.grid); // the curve argument changes nothing
        QCOMPARE(r.pane.visited.size(), 10);
        QCOMPARE(r.pane.visited.first(), kFolder + "H15_TCMNOM_M3_2010.txt");
        QCOMPARE(r.pane.visited.last(), kFolder + "H15_TCMNOM_Y30_2010.txt");
        QCOMPARE(progress.at(7), QString("8/10 H15_TCMNOM_Y10_2010.txt"));
        QCOMPARE(r.session.quoteDate, std::string("2010-12-31"));
        QCOMPARE(r.grid.TextMatrix(9, 2), std::string("3.3000"));
        QCOMPARE(r.grid.TextMatrix(9, 4), std::string("100"));
        QCOMPARE(r.grid.TextMatrix(2, 4), std::string("0.1200"));
    }

    void stopDuringALoadIsNotReadAsThatFile() {
        // Stopping completes the load on the previous page; its text must not become this row.
        Rig r;
        AddAllFiles(r.pane);
        const QString y5 = kFolder + "H15_TCMNOM_Y5_2010.txt";
        r.pane.pages.remove(y5);
        r.pane.onNavigate = [&](const QString& url) {
            if (url == y5)
                QTimer::singleShot(20, &r.pane, [&] { r.pane.Stop(); });
        };
        try {
            r.source.GrabFRBYieldCurve(0, r.grid);
            QFAIL("the fetch went on after Stop");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), qalBloombergData::kErrLoadStopped);
            QVERIFY(QString::fromStdString(e.text()).contains("H15_TCMNOM_Y5_2010.txt"));
        }
        QCOMPARE(r.grid.TextMatrix(6, 2), std::string("1.0200"));
        QCOMPARE(r.grid.TextMatrix(7, 2), std::string(""));
        QCOMPARE(r.pane.visited.size(), 6);
    }

    void stopBetweenTwoFilesEndsTheFetch() {
        Rig r;
        AddAllFiles(r.pane);
        // Stop pressed once the 2-year file has been read, before the next one is asked for.
        r.source.progress = [&](int i, int, const QString&) {
            if (i == 4)
                r.pane.Stop();
        };
        QVERIFY_THROWS_EXCEPTION(RuntimeError, r.source.GrabFRBYieldCurve(0, r.grid));
        QCOMPARE(r.grid.TextMatrix(5, 2), std::string("0.6100"));
        QCOMPARE(r.grid.TextMatrix(6, 2), std::string(""));
        // A later fetch starts afresh.
        r.source.progress = nullptr;
        r.source.GrabFRBYieldCurve(0, r.grid);
        QCOMPARE(r.grid.TextMatrix(11, 2), std::string("4.3400"));
    }

    void timeLimitEndsAWaitThatNeverEnds() {
        Rig r;
        AddAllFiles(r.pane);
        r.pane.pages.remove(kFolder + "H15_TCMNOM_M6_2010.txt");
        r.source.timeoutMs = 300;
        QElapsedTimer t;
        t.start();
        try {
            r.source.GrabFRBYieldCurve(0, r.grid);
            QFAIL("no time limit");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), qalBloombergData::kErrLoadTimeout);
            QCOMPARE(QString::fromStdString(e.text()),
                     kFolder + "H15_TCMNOM_M6_2010.txt did not finish loading within 0.3 seconds; "
                               "the rows loaded before it are kept");
        }
        QVERIFY(t.elapsed() >= 300 && t.elapsed() < 5000);
        QVERIFY(r.pane.StopRequested());
        QCOMPARE(r.pane.Tag(), QString("alldone"));
        QCOMPARE(r.grid.TextMatrix(2, 1), std::string("3TD"));
    }

    void anotherNavigationDuringTheWaitIsNotRead() {
        Rig r;
        AddAllFiles(r.pane);
        const QString y1 = kFolder + "H15_TCMNOM_Y1_2010.txt";
        const QString other = "http://elsewhere.test/page.htm";
        r.pane.pages[other] = Pre("2011-01-03,7.77\nnot a series\n");
        bool sent = false;
        r.pane.onNavigate = [&](const QString& url) {
            if (url == y1 && !sent) {
                sent = true;
                // The address box sends the pane elsewhere before the file arrives.
                QTimer::singleShot(0, &r.pane, [&] { r.pane.Navigate(other); });
            }
        };
        try {
            r.source.GrabFRBYieldCurve(0, r.grid);
            QFAIL("read a page that was not the series file");
        } catch (const RuntimeError& e) {
            QVERIFY(QString::fromStdString(e.text()).contains("interrupted by another page"));
        }
        QCOMPARE(r.grid.TextMatrix(4, 2), std::string(""));
    }

    void noPaneIsAnError() {
        Session session;
        GridModel grid;
        qalBloombergData source(session, kFolder);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, source.GrabFRBYieldCurve(0, grid));
    }
};

QTEST_MAIN(TestRateSource)
#include "tst_qalBloombergData.moc"
