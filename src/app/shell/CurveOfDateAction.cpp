// File > Treasury Curve of a Date: the history dialog, and the chosen day loaded once it closes.
#include "shell/frmYarrow.h"

#include "base/AppContext.h"
#include "core/data/CmtHistory.h"
#include "core/data/Session.h"
#include "data/frmCurveOfDate.h"
#include "data/ucYarrowData.h"

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
    // Start from the day the grid shows, or from the last day of the history.
    const Date initial = ucYarrowData1->QuoteDate().value_or(history->Last());
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

} // namespace yarrow
