#include "base/qalSetDisplay.h"

#include "base/IgnoreErrors.h"
#include "core/numeric/Precision.h"
#include "core/text/RuntimeError.h"
#include "base/Twips.h"
#include "base/LineControl.h"

#include <cmath>
#include <functional>

namespace yarrow {

namespace {

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
    IgnoreErrors([&] { r.rH = CSng(Divide(double(oHeight) - 400, double(r.xHeight) - 400)); });
    IgnoreErrors([&] { r.rW = CSng(Divide(double(oWidth), double(r.xWidth))); });
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
            IgnoreErrors([&] { line->SetY1(float(StretchTwips(s.top, r.rH))); });
            IgnoreErrors([&] { line->SetX1(float(StretchTwips(s.left, r.rW))); });
            IgnoreErrors([&] { line->SetY2(float(StretchTwips(s.height, r.rH))); });
            IgnoreErrors([&] { line->SetX2(float(StretchTwips(s.width, r.rW))); });
            continue;
        }
        IgnoreErrors([&] { SetTwipTop(w, float(StretchTwips(s.top, r.rH))); });
        IgnoreErrors([&] { SetTwipLeft(w, float(StretchTwips(s.left, r.rW))); });
        IgnoreErrors([&] { SetTwipHeight(w, float(StretchTwips(s.height, r.rH))); });
        IgnoreErrors([&] { SetTwipWidth(w, float(StretchTwips(s.width, r.rW))); });
        IgnoreErrors([&] { SetFontSize(w, 12); });
        IgnoreErrors([&] { SetFontBold(w, true); });
    }
}

void qalSetDisplay::ReduceFont(int32_t& xWidth, int32_t& xHeight) {
    for (int16_t i = 0; i < nCont_; ++i) {
        const Slot& s = slots_[static_cast<size_t>(i)];
        QWidget* w = s.control;
        if (!w)
            continue;
        if (auto* line = qobject_cast<LineControl*>(w)) {
            IgnoreErrors([&] { line->SetY1(float(s.top)); });
            IgnoreErrors([&] { line->SetX1(float(s.left)); });
            IgnoreErrors([&] { line->SetY2(float(s.height)); });
            IgnoreErrors([&] { line->SetX2(float(s.width)); });
            continue;
        }
        IgnoreErrors([&] { SetFontSize(w, 8); });
        IgnoreErrors([&] { SetFontBold(w, false); });
        IgnoreErrors([&] { SetTwipLeft(w, float(s.left)); });
        IgnoreErrors([&] { SetTwipTop(w, float(s.top)); });
        IgnoreErrors([&] { SetTwipWidth(w, float(s.width)); });
        IgnoreErrors([&] { SetTwipHeight(w, float(s.height)); });
    }
    xWidth = oWidth_;
    xHeight = oHeight_;
}

} // namespace yarrow
