#pragma once

#include "widgets/BrowserPane.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

namespace yarrow {

class GridModel;
class Session;

// The web source of Treasury yields: loads the ten H.15 series files one after another into the
// lower browser pane and writes the bond rows of the data grid from what the pane shows.
class qalBloombergData {
public:
    // Raised (as RuntimeError numbers) when a file does not finish loading in time, or when the
    // wait is ended by a Stop.
    static constexpr int32_t kErrLoadTimeout = 31001;
    static constexpr int32_t kErrLoadStopped = 31002;

    qalBloombergData(Session& session, QString frbDataUrl);

    QPointer<BrowserPane> myBrowser;
    const QString FRBDataURL;
    // Longest wait for one file.
    int timeoutMs = 30000;
    // Told before each file is requested: index 0..9, the count (10) and the file name.
    std::function<void(int index, int count, const QString& file)> progress;

    // Fills grd (12 rows, 5 columns) and the session's quote date. cCurve is ignored. Failures
    // (a page that is not a series file, a load that timed out or was stopped) raise
    // RuntimeError; the rows written before stay.
    void GrabFRBYieldCurve(int16_t cCurve, GridModel& grd);

private:
    std::string LoadBody(int i);
    void WaitForPage(const QString& url, const QString& file, int serial);
    [[noreturn]] void ThrowStopped(const QString& file) const;

    Session& session_;
    // Set by any Stop of the pane during a fetch, also between two files.
    bool stopped_ = false;
};

} // namespace yarrow
