#pragma once

#include "core/seams/Dialogs.h"
#include "core/seams/PendingEvents.h"

#include <exception>

namespace yarrow {

class RuntimeError;

// The common error report: the standard text with the system's text for the error, critical icon,
// title "Vantorix"; then pending events are processed and the pointer is set back to normal.
void ReportError(Dialogs& dialogs, PendingEvents& events, const RuntimeError& error);
// For anything else that escapes a handler (a standard exception's what(), or "Unknown error").
void ReportError(Dialogs& dialogs, PendingEvents& events, const std::exception& error);

} // namespace yarrow
