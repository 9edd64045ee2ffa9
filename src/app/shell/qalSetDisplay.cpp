#include "shell/qalSetDisplay.h"

#include "core/numeric/Precision.h"
#include "core/text/RuntimeError.h"
#include "shell/Twips.h"
#include "widgets/LineControl.h"

#include <cmath>
#include <functional>

namespace yarrow {

namespace {

// One property assignment; a run-time error leaves that property as it was.
void Try(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}

void SetFontSize(QWidget* w, int points) {
    QFont f = w->font();
    f.setPointSize(points);
    w->setFont(f);
}

void SetFontBold(QWidget* w, bool bold) {
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

} // namespace

DisplayRatios EnlargeRatios(int32_t oWidth, int32_t oHeight) {
    DisplayRatios r;
    r.xWidth = CLng(double(oWidth) * 1.7);
    r.xHeight = CLng(double(oHeight) * 1.5);
    Try([&] { r.rH = CSng(Divide(double(oHeight) - 400, double(r.xHeight) - 400)); });
    Try([&] { r.rW = CSng(Divide(double(oWidth), double(r.xWidth))); });
    return r;
}

int32_t StretchTwips(int32_t v, float r) {
    const double q = Int(Divide(double(v), double(r)));
    if (!(q >= -2147483648.0 && q <= 2147483647.0))
        throw RuntimeError::Overflow();
    return static_cast<int32_t>(q);
}

void qalSetDisplay::Initialize(int32_t oWidth, int32_t oHeight, int16_t nCont) {
    oWidth_ = oWidth;
    oHeight_ = oHeight;
    nCont_ = nCont;
    slots_.assign(static_cast<size_t>(std::max<int>(nCont, 0)) + 1, Slot{});
}

qalSetDisplay::Slot* qalSetDisplay::SlotAt(int16_t i) {
    if (i < 0 || static_cast<size_t>(i) >= slots_.size())
        throw RuntimeError::SubscriptOutOfRange();
    return &slots_[static_cast<size_t>(i)];
}

void qalSetDisplay::SetUpDisplay(int16_t i, QWidget* ctrl) {
    Slot* s = SlotAt(i);
    s->control = ctrl;
    if (auto* line = qobject_cast<LineControl*>(ctrl)) {
        s->left = CLng(line->X1());
        s->width = CLng(line->X2());
        s->top = CLng(line->Y1());
        s->height = CLng(line->Y2());
        return;
    }
    const TwipRect r = GetTwips(ctrl);
    s->left = CLng(r.left);
    s->width = CLng(r.width);
    s->top = CLng(r.top);
    s->height = CLng(r.height);
}

void qalSetDisplay::EnlargeFont(int32_t& xWidth, int32_t& xHeight) {
    const DisplayRatios r = EnlargeRatios(oWidth_, oHeight_);
    xWidth = r.xWidth;
    xHeight = r.xHeight;
    for (int16_t i = 0; i < nCont_; ++i) {
        const Slot& s = slots_[static_cast<size_t>(i)];
        QWidget* w = s.control;
        if (!w)
            continue;
        if (auto* line = qobject_cast<LineControl*>(w)) {
            Try([&] { line->SetY1(float(StretchTwips(s.top, r.rH))); });
            Try([&] { line->SetX1(float(StretchTwips(s.left, r.rW))); });
            Try([&] { line->SetY2(float(StretchTwips(s.height, r.rH))); });
            Try([&] { line->SetX2(float(StretchTwips(s.width, r.rW))); });
            continue;
        }
        Try([&] { SetTwipTop(w, float(StretchTwips(s.top, r.rH))); });
        Try([&] { SetTwipLeft(w, float(StretchTwips(s.left, r.rW))); });
        Try([&] { SetTwipHeight(w, float(StretchTwips(s.height, r.rH))); });
        Try([&] { SetTwipWidth(w, float(StretchTwips(s.width, r.rW))); });
        Try([&] { SetFontSize(w, 12); });
        Try([&] { SetFontBold(w, true); });
    }
}

void qalSetDisplay::ReduceFont(int32_t& xWidth, int32_t& xHeight) {
    for (int16_t i = 0; i < nCont_; ++i) {
        const Slot& s = slots_[static_cast<size_t>(i)];
        QWidget* w = s.control;
        if (!w)
            continue;
        if (auto* line = qobject_cast<LineControl*>(w)) {
            Try([&] { line->SetY1(float(s.top)); });
            Try([&] { line->SetX1(float(s.left)); });
            Try([&] { line->SetY2(float(s.height)); });
            Try([&] { line->SetX2(float(s.width)); });
            continue;
        }
        Try([&] { SetFontSize(w, 8); });
        Try([&] { SetFontBold(w, false); });
        Try([&] { SetTwipLeft(w, float(s.left)); });
        Try([&] { SetTwipTop(w, float(s.top)); });
        Try([&] { SetTwipWidth(w, float(s.width)); });
        Try([&] { SetTwipHeight(w, float(s.height)); });
    }
    xWidth = oWidth_;
    xHeight = oHeight_;
}

} // namespace yarrow
