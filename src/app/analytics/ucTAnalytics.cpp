#include "analytics/ucTAnalytics.h"

#include "core/data/Session.h"
#include "shell/AppContext.h"

#include <QFrame>
#include <QLabel>

namespace yarrow {

ucTAnalytics::ucTAnalytics(AppContext& app, QWidget* parent) : WorkPanel(parent), app_(app) {
    setObjectName("ucTAnalytics");
    SetDesignSize(6600, 6900);
    auto* frame = Place(new QFrame(this), "fraAnalytics", {60, 60, 6480, 6780});
    frame->setFrameShape(QFrame::StyledPanel);
    Place(new QLabel("Portfolio Analytics", this), "lblTitle", {180, 150, 4000, 300});
    lblTable_ = Place(new QLabel(this), "lblTable", {180, 600, 6200, 1200});
    lblTable_->setWordWrap(true);
    lblTable_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetUpDisplay();
}

void ucTAnalytics::Initialize() {
    const Session& s = app_.session;
    lblTable_->setText(QString("The bond table holds %1 bond(s).").arg(s.nBonds));
}

} // namespace yarrow
