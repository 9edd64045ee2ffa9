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
    yarrow::GrabFRBYieldCurve([this](int i) { return LoadBody(i); }, grd, session_);
}

std::string qalBloombergData::LoadBody(int i) {
    if (!myBrowser)
        throw RuntimeError(91, "Object variable or With block variable not set");
    const QString file = QString::fromStdString(FrbSeriesFileName(i));
    const QString url = FRBDataURL + file;
    if (progress)
        progress(i, kFrbSeriesCount, file);
    myBrowser->Navigate(url);
    WaitForPage(url, file);
    return myBrowser->BodyMarkup().toStdString();
}

void qalBloombergData::WaitForPage(const QString& url, const QString& file) {
    BrowserPane& pane = *myBrowser;
    QEventLoop loop;
    QObject::connect(&pane, &BrowserPane::StateChanged, &loop, &QEventLoop::quit);
    QElapsedTimer elapsed;
    elapsed.start();
    while (pane.ReadyState() != BrowserPane::kReadyStateComplete) {
        if (pane.StopRequested())
            throw RuntimeError(kErrLoadStopped, "Loading of " + file.toStdString() +
                                                    " was stopped; the rows loaded before it are kept");
        const qint64 left = timeoutMs - elapsed.elapsed();
        if (left <= 0) {
            pane.Stop();
            pane.SetTag(BrowserPane::kAllDone);
            throw RuntimeError(kErrLoadTimeout, url.toStdString() + " did not finish loading within " +
                                                    std::to_string((timeoutMs + 999) / 1000) +
                                                    " seconds; the rows loaded before it are kept");
        }
        QTimer::singleShot(int(std::min<qint64>(left, 100)), &loop, &QEventLoop::quit);
        if (loop.exec() < 0) // the program is ending
            throw RuntimeError(kErrLoadStopped, "Loading of " + file.toStdString() + " was stopped");
    }
}

} // namespace yarrow
