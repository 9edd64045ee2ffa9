#pragma once

#include <QString>

namespace yarrow {

class frmYarrow;

// A walk through the loaded window that saves pictures into a folder; returns the failures.
using ScreenshotTourFn = int (*)(frmYarrow& window, const QString& folder);

// The application: options, the session and its seams, the main window, the event loop. With a
// tour, the option --screenshots FOLDER runs it once the window is shown and quits.
int RunYarrow(int argc, char* argv[], ScreenshotTourFn tour = nullptr);

} // namespace yarrow
