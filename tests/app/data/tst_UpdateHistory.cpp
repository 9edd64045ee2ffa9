// File > "Update Treasury History...": the dialog against a server on 127.0.0.1, the summary in the
// status bar, and the Curve of a Date dialog reaching the new newest day.

#include "app/support/AppHarness.h"
#include "data/frmCurveOfDate.h"
#include "data/frmUpdateHistory.h"
#include "shell/frmYarrow.h"
#include "support/LocalHttpServer.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

class TestUpdateHistory : public QObject {
    Q_OBJECT
    QTemporaryDir served_, userData_;
    int thisYear_ = QDate::currentDate().year();

    void Serve(int year, const QByteArray& content) {
        QDir(served_.path()).mkpath(QString("treasury/%1").arg(year));
        QFile f(served_.path() + QString("/treasury/%1/all").arg(year));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", userData_.path().toUtf8());
        // One day a year from 2025 to this year, each on 12/01.
        for (int y = 2025; y <= thisYear_; ++y)
            Serve(y, QString("Date,\"3 Mo\",\"1.5 Mo\",\"10 Yr\"\n12/01/%1,4.01,4.02,4.03\n").arg(y).toUtf8());
    }

    void updateReachesTheCurveOfADate() {
        test::LocalHttpServer server(served_.path());
        QVERIFY(server.IsRunning());
        qputenv("YARROW_TREASURY_URL", server.Url("/treasury").toUtf8());
        AppHarness h;
        frmYarrow w(h.context);
        w.Load();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        Find<QAction>(w, "mnuUpdateHistory")->trigger();
        frmUpdateHistory* dlg = w.UpdateHistory();
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(Find<QComboBox>(*dlg, "cboSource")->count(), 2);
        int progress = 0;
        connect(Find<QProgressBar>(*dlg, "prgDownload"), &QProgressBar::valueChanged, this,
                [&](int v) { progress = std::max(progress, v); });
        QTest::mouseClick(Find<QPushButton>(*dlg, "cmdUpdate"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!w.UpdateHistory(), 20000);
        QCOMPARE(progress, thisYear_ - 2025 + 1);
        const QString last = QString("12/01/%1").arg(thisYear_);
        QCOMPARE(Find<QLabel>(w, "lblStatus")->text(),
                 thisYear_ == 2025 ? QString("Added 1 day, 12/01/2025.")
                                   : QString("Added %1 days, 12/01/2025 to %2.").arg(thisYear_ - 2024).arg(last));
        QVERIFY(h.dialogs.messages.empty());

        // The dialog opens on the new newest day, the end of its slider.
        Find<QAction>(w, "mnuCurveOfDate")->trigger();
        frmCurveOfDate* curve = w.CurveOfDate();
        QVERIFY(curve);
        QCOMPARE(Find<QCalendarWidget>(*curve, "calDate")->selectedDate(), QDate(thisYear_, 12, 1));
        auto* slider = Find<QSlider>(*curve, "sldHistory");
        QCOMPARE(slider->value(), slider->maximum());
        curve->reject();
        QTRY_VERIFY(!w.CurveOfDate());
    }

    // Cancel during a request that is never answered: the dialog closes, nothing is added, and
    // the message says so.
    void cancelStopsAndAddsNothing() {
        const QString year = served_.path() + QString("/treasury/%1/all").arg(thisYear_);
        QVERIFY(QFile::rename(year, year + ".hang"));
        QFile::remove(userData_.path() + "/yarrow/treasury-cmt-daily.tsv");
        test::LocalHttpServer server(served_.path());
        qputenv("YARROW_TREASURY_URL", server.Url("/treasury").toUtf8());
        AppHarness h;
        frmYarrow w(h.context);
        w.Load();
        Find<QAction>(w, "mnuUpdateHistory")->trigger();
        frmUpdateHistory* dlg = w.UpdateHistory();
        QTest::mouseClick(Find<QPushButton>(*dlg, "cmdUpdate"), Qt::LeftButton);
        QTRY_VERIFY(dlg->Running());
        QTest::qWait(300);
        QTest::mouseClick(Find<QPushButton>(*dlg, "cmdCancel"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!w.UpdateHistory(), 10000);
        QCOMPARE(Find<QLabel>(w, "lblStatus")->text(), QString("Added no days; the history still ends on 07/11/2025."));
        QCOMPARE(h.dialogs.MessageTexts(), QStringList{"The update was cancelled; the history is as it was."});
        QVERIFY(!QFile::exists(userData_.path() + "/yarrow/treasury-cmt-daily.tsv"));
    }
};

QTEST_MAIN(TestUpdateHistory)
#include "tst_UpdateHistory.moc"
