#pragma once

#include "core/text/Dates.h"

#include <QUrl>
#include <functional>
#include <optional>

namespace yarrow {

class Clipboard;
class Dialogs;
class GridView;
class PendingEvents;
class Session;

// What main hands the window: the session, the seams and the few run-time settings.
// Tests build their own, with scripted dialogs and a fixed date order.
struct AppContext {
    AppContext(Session& s, Dialogs& d, Clipboard& c, PendingEvents& e)
        : session(s), dialogs(d), clipboard(c), events(e) {}

    Session& session;
    Dialogs& dialogs;
    Clipboard& clipboard;
    PendingEvents& events;

    QUrl siteRoot;   // folder of the course site (ends in '/')
    QUrl frbDataUrl; // folder of the ten series files (ends in '/')
    // The Treasury history file (compact or text); empty: CmtHistoryPath().
    QString cmtHistoryPath;
    // How long one series file may take to load before "Get Data" gives up.
    int fetchTimeoutMs = 30000;
    // The order of the system's short date; unset means the machine's locale.
    std::optional<DateOrder> systemDateOrder;
    // Ends the program (File > Exit, closing the window). Unset: QCoreApplication::exit(0).
    std::function<void()> endProgram;

    // The grid that last had the user's attention; Edit > Copy/Paste act on it.
    GridView* ActiveGrid = nullptr;
};

} // namespace yarrow
