#include "data/qalBloombergData.h"

#include "core/data/FrbSeries.h"
#include "core/data/Session.h"
#include "core/text/RuntimeError.h"
#include "widgets/BrowserPane.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace yarrow {

qalBloombergData::qalBloombergData(Session& session, QString frbDataUrl)
    : FRBDataURL(std::move(frbDataUrl)), session_(session) {}

void qalBloombergData::GrabFRBYieldCurve(int16_t, GridModel& grd) {
    stopped_ = false;
    QMetaObject::Connection watch;
    if (myBrowser)
        watch = QObject::connect(myBrowser.data(), &BrowserPane::Stopped, [this] { stopped_ = true; });
    try {
        yarrow::GrabFRBYieldCurve([this](int i) { return LoadBody(i); }, grd, session_);
    } catch (...) {
        QObject::disconnect(watch);
        throw;
    }
    QObject::disconnect(watch);
}

void qalBloombergData::ThrowStopped(const QString& file) const {
    throw RuntimeError(kErrLoadStopped, "Loading of " + file.toStdString() +
                                            " was stopped; the rows loaded before it are kept");
}

std::string qalBloombergData::LoadBody(int i) {
    if (!myBrowser)
        throw RuntimeError::ObjectVariableNotSet();
    const QString file = QString::fromStdString(FrbSeriesFileName(i));
    const QString url = FRBDataURL + file;
    if (stopped_)
        ThrowStopped(file);
    if (progress)
        progress(i, kFrbSeriesCount, file);
    myBrowser->Navigate(url);
    const int serial = myBrowser->NavigationSerial();
    WaitForPage(url, file, serial);
    const std::string body = myBrowser->BodyMarkup().toStdString();
    if (stopped_)
        ThrowStopped(file);
    if (myBrowser->NavigationSerial() != serial)
        throw RuntimeError(kErrLoadStopped,
                           "Loading of " + file.toStdString() + " was interrupted by another page");
    return body;
}

void qalBloombergData::WaitForPage(const QString& url, const QString& file, int serial) {
    BrowserPane& pane = *myBrowser;
    QEventLoop loop;
    QObject::connect(&pane, &BrowserPane::StateChanged, &loop, &QEventLoop::quit);
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        // A stopped load also ends complete, showing whatever page was there before: the stop
        // must be seen first, or that page would be read as this file.
        if (pane.StopRequested() || stopped_)
            ThrowStopped(file);
        // The address box can send the pane elsewhere while we wait.
        if (pane.NavigationSerial() != serial)
            throw RuntimeError(kErrLoadStopped,
                               "Loading of " + file.toStdString() + " was interrupted by another page");
        if (pane.ReadyState() == BrowserPane::kReadyStateComplete)
            return;
        const qint64 left = timeoutMs - elapsed.elapsed();
        if (left <= 0) {
            pane.Stop();
            pane.SetTag(BrowserPane::kAllDone);
            throw RuntimeError(kErrLoadTimeout, url.toStdString() + " did not finish loading within " +
                                                    QString::number(timeoutMs / 1000.0).toStdString() +
                                                    (timeoutMs == 1000 ? " second" : " seconds") +
                                                    "; the rows loaded before it are kept");
        }
        QTimer::singleShot(int(std::min<qint64>(left, 100)), &loop, &QEventLoop::quit);
        if (loop.exec() < 0) // the program is ending
            ThrowStopped(file);
    }
}

} // namespace yarrow
