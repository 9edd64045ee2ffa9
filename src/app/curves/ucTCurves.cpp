#include "curves/ucTCurves.h"

#include "core/data/Session.h"
#include "shell/AppContext.h"

#include <QFrame>
#include <QLabel>

namespace yarrow {

ucTCurves::ucTCurves(AppContext& app, QWidget* parent) : WorkPanel(parent), app_(app) {
    setObjectName("ucTCurves");
    SetDesignSize(7200, 6600);
    auto* frame = Place(new QFrame(this), "fraCurves", {60, 60, 7080, 6480});
    frame->setFrameShape(QFrame::StyledPanel);
    Place(new QLabel("Yield Curves", this), "lblTitle", {180, 150, 4000, 300});
    lblTable_ = Place(new QLabel(this), "lblTable", {180, 600, 6800, 1200});
    lblTable_->setWordWrap(true);
    lblTable_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetUpDisplay();
}

void ucTCurves::Initialize() {
    const Session& s = app_.session;
    lblTable_->setText(QString("The bond table holds %1 bond(s).").arg(s.nBonds));
}

} // namespace yarrow
