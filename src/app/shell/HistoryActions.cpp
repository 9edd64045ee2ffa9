// File > Treasury Curve of a Date: the history dialog, and the chosen day loaded once it closes;
// File > Update Treasury History: the download dialog, the history reloaded when it is done.
#include "shell/frmYarrow.h"

#include "base/Announce.h"
#include "base/AppContext.h"
#include "core/data/CmtHistory.h"
#include "core/data/Session.h"
#include "core/seams/Dialogs.h"
#include "core/text/RuntimeError.h"
#include "data/frmCurveOfDate.h"
#include "data/frmUpdateHistory.h"
#include "data/ucYarrowData.h"

#include <QLabel>
#include <QTimer>

namespace yarrow {

void frmYarrow::mnuCurveOfDate_Click() {
    if (curveOfDate_) {
        curveOfDate_->raise();
        curveOfDate_->activateWindow();
        return;
    }
    const CmtHistory* history = ucYarrowData1->History();
    if (!history)
        return;
    // The newest day first: what a lecturer most often wants to show.
    const Date initial = history->Last();
    curveOfDate_ = new frmCurveOfDate(*history, initial, app_.session.dateOrder, this);
    curveOfDate_->setAttribute(Qt::WA_DeleteOnClose);
    // The load runs once the dialog has closed: it processes pending events, which may delete the
    // dialog while it is still emitting.
    connect(curveOfDate_, &QDialog::accepted, this, [this] {
        const Date date = curveOfDate_->SelectedDate();
        QTimer::singleShot(0, this, [this, date] {
            // A curves or analytics panel in front lists the new table at once.
            if (ucYarrowData1->LoadHistoryDay(date) && CurrentPanel_ != ucYarrowData1)
                OpenPanel(CurrentPanel_);
        });
    });
    curveOfDate_->open();
}

void frmYarrow::mnuUpdateHistory_Click() {
    if (updateHistory_) {
        updateHistory_->raise();
        updateHistory_->activateWindow();
        return;
    }
    HistoryUpdateOptions options;
    options.bundledFile = app_.cmtHistoryPath;
    updateHistory_ = new frmUpdateHistory(options, this);
    updateHistory_->setAttribute(Qt::WA_DeleteOnClose);
    connect(updateHistory_, &frmUpdateHistory::Updated, this, [this](const HistoryUpdateResult& result) {
        ucYarrowData1->ReloadHistory();
        SetAnnouncedText(statusText_, result.summary);
        if (!result.messages.isEmpty())
            app_.dialogs.Message(result.messages.join("\n").toStdString(), kMessageTitle,
                                 result.complete ? MessageIcon::Information : MessageIcon::Exclamation);
    });
    updateHistory_->open();
}

} // namespace yarrow
