// Lessons: the teaching windows beyond the panels, each opened (or raised) from its menu item.
#include "shell/frmYarrow.h"

#include "analytics/ucTAnalytics.h"
#include "data/ucYarrowData.h"
#include "lessons/frmRateShocks.h"

namespace yarrow {

frmRateShocks* frmYarrow::RateShocks() const {
    return rateShocks_;
}

void frmYarrow::mnuRateShocks_Click() {
    if (!rateShocks_) {
        rateShocks_ = new frmRateShocks(app_, this);
        rateShocks_->setAttribute(Qt::WA_DeleteOnClose);
        rateShocks_->SetHoldings(ucTAnalytics1->LastHoldings());
        connect(ucYarrowData1, &ucYarrowData::BondTableChanged, rateShocks_, &frmRateShocks::Reload);
        connect(ucTAnalytics1, &ucTAnalytics::Solved, rateShocks_,
                [this] { rateShocks_->SetHoldings(ucTAnalytics1->LastHoldings()); });
    }
    rateShocks_->show();
    rateShocks_->raise();
    rateShocks_->activateWindow();
}

} // namespace yarrow
