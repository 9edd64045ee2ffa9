#include "core/draw/qalDraw.h"

#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"

namespace yarrow {

namespace {
enum Bound { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };
} // namespace

void qalDraw::InitializePictureBox(Canvas& pb) {
    pictureBox_ = &pb;
    DoEvents(events_);
}

void qalDraw::InitializeTextBox(TextSink& tb, int16_t i) {
    if (i < 0 || i > 3)
        ThrowSubscriptOutOfRange();
    labels_[static_cast<size_t>(i)] = &tb;
}

void qalDraw::Initialize() {
    xUpFactor_ = 1.05f;
    xDownFactor_ = 0.95f;
    yUpFactor_ = 1.01f;
    yDownFactor_ = 0.99f;
}

Canvas& qalDraw::canvas() {
    if (!pictureBox_)
        throw RuntimeError::ObjectVariableNotSet();
    return *pictureBox_;
}

TextSink& qalDraw::label(int i) {
    if (!labels_[static_cast<size_t>(i)])
        throw RuntimeError::ObjectVariableNotSet();
    return *labels_[static_cast<size_t>(i)];
}

void qalDraw::Report(const RuntimeError& e) {
    if (dialogs_)
        dialogs_->Message(ErrorReportText(e), kMessageTitle, MessageIcon::Critical);
    DoEvents(events_);
}

void qalDraw::CalcYScale(const Array1<float>& yval, int32_t count, int32_t iStart) {
    try {
        float& top = extent_[kTop];
        float& bottom = extent_[kBottom];
        top = bottom = yval(iStart);
        for (int32_t j = iStart + 1; j <= count - 1; ++j) {
            if (yval(j) > top)
                top = yval(j);
            if (yval(j) < bottom)
                bottom = yval(j);
        }
        top = CSng(static_cast<double>(top) * (top > 0 ? yUpFactor_ : yDownFactor_));
        bottom = CSng(static_cast<double>(bottom) * (bottom > 0 ? yDownFactor_ : yUpFactor_));
        label(kTop).SetText(FormatPattern(top, "0.00"));
        label(kBottom).SetText(FormatPattern(bottom, "0.00"));
    } catch (const RuntimeError& e) {
        Report(e);
    }
}

void qalDraw::CalcXScale(const Array1<float>& xval, int32_t count, int32_t iStart) {
    float& left = extent_[kLeft];
    float& right = extent_[kRight];
    left = right = xval(iStart);
    for (int32_t j = iStart + 1; j <= count - 1; ++j) {
        if (xval(j) < left)
            left = xval(j);
        if (xval(j) > right)
            right = xval(j);
    }
    left = CSng(static_cast<double>(left) * (left > 0 ? xDownFactor_ : xUpFactor_));
    right = CSng(static_cast<double>(right) * (right > 0 ? xUpFactor_ : xDownFactor_));
    label(kLeft).SetText(FormatPattern(left, "0.0000"));
    label(kRight).SetText(FormatPattern(right, "0.0000"));
}

void qalDraw::SetScale() {
    float& top = extent_[kTop];
    float& bottom = extent_[kBottom];
    float& left = extent_[kLeft];
    float& right = extent_[kRight];
    if (top <= bottom)
        top = CSng(static_cast<double>(bottom) + 1.0);
    if (right <= left)
        right = CSng(static_cast<double>(left) + 1.0);
    canvas().SetUserScale(left, top, right, bottom);
}

void qalDraw::DrawLine(const Array1<float>& xval, const Array1<float>& yval, int32_t count, bool AutoScale,
                       int32_t iStart) {
    try {
        if (AutoScale) {
            CalcYScale(yval, count, iStart);
            CalcXScale(xval, count, iStart);
            SetScale();
        }
        Canvas& pb = canvas();
        float px = xval(1);
        float py = yval(1);
        pb.SetPoint(px, py);
        for (int32_t i = 1; i <= count - 1; ++i) {
            const float qx = xval(i);
            const float qy = yval(i);
            pb.DrawSegment(px, py, qx, qy);
            px = qx;
            py = qy;
        }
    } catch (const RuntimeError& e) {
        Report(e);
    }
}

} // namespace yarrow
