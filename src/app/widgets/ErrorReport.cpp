#include "widgets/ErrorReport.h"

#include "core/text/RuntimeError.h"
#include "base/MousePointer.h"

namespace yarrow {

void ReportError(Dialogs& dialogs, PendingEvents& events, const RuntimeError& error) {
    dialogs.Message(ErrorReportText(error), kMessageTitle, MessageIcon::Critical);
    DoEvents(&events);
    MousePointer::Normal();
}

void ReportError(Dialogs& dialogs, PendingEvents& events, const std::exception& error) {
    if (auto* runtime = dynamic_cast<const RuntimeError*>(&error)) {
        ReportError(dialogs, events, *runtime);
        return;
    }
    dialogs.Message(ErrorReportText(std::string(error.what())), kMessageTitle, MessageIcon::Critical);
    DoEvents(&events);
    MousePointer::Normal();
}

} // namespace yarrow
