#include "shell/ScreenshotTour.h"

#include "data/ucYarrowData.h"
#include "shell/frmYarrow.h"
#include "widgets/BrowserPane.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace yarrow {

namespace {

// Keeps the event loop running (pages load, widgets paint) until both panes are complete and a
// little longer, or the time is up.
void Settle(frmYarrow& w, int atLeastMs) {
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(10);
    auto done = [&] {
        return w.Browser1Pane().ReadyState() == BrowserPane::kReadyStateComplete &&
               w.Browser2Pane().ReadyState() == BrowserPane::kReadyStateComplete;
    };
    while ((t.elapsed() < atLeastMs || !done()) && t.elapsed() < 20000)
        loop.exec();
}

int Save(frmYarrow& w, const QString& folder, const char* name) {
    const QString path = folder + "/" + name;
    const bool ok = w.grab().save(path, "PNG");
    std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
    return ok ? 0 : 1;
}

void Trigger(frmYarrow& w, const char* action) {
    if (QAction* a = w.findChild<QAction*>(action))
        a->trigger();
}

} // namespace

int RunScreenshotTour(frmYarrow& w, const QString& folder) {
    QDir().mkpath(folder);
    int failures = 0;
    Settle(w, 800);
    failures += Save(w, folder, "start.png");

    w.DataPanel()->cmdGetData_Click();
    Settle(w, 500);
    failures += Save(w, folder, "get-data.png");

    Trigger(w, "mnuOptionsLargeDisplay");
    Settle(w, 500);
    failures += Save(w, folder, "large-display.png");

    Trigger(w, "mnuOptionsNormalDisplay");
    Trigger(w, "mnuLayout0");
    Settle(w, 500);
    failures += Save(w, folder, "reduced-bottom.png");

    Trigger(w, "mnuCalculator");
    Settle(w, 300);
    if (calcs* c = w.Calculators()) {
        const QString path = folder + "/calculators.png";
        const bool ok = c->grab().save(path, "PNG");
        std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
        failures += ok ? 0 : 1;
    } else {
        ++failures;
    }
    return failures;
}

} // namespace yarrow
