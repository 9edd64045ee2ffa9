#include "core/curves/CurvesPlot.h"

#include "core/data/Session.h"
#include "core/seams/Canvas.h"

namespace yarrow {

const char* CurveLayer(CurveType type) {
    switch (type) {
    case CurveType::YieldToMaturity:
        return "ytm";
    case CurveType::Zero:
        return "zero";
    case CurveType::Forward:
        return "forward";
    }
    return "";
}

CurvesPlot::CurvesPlot(Session& session, Canvas& canvas, const std::array<TextSink*, 4>& bounds,
                       Dialogs* dialogs, PendingEvents* events)
    : session_(session), canvas_(canvas), bounds_(bounds), dialogs_(dialogs), events_(events) {}

qalDraw& CurvesPlot::Draw() {
    if (!draw_)
        draw_ = std::make_unique<qalDraw>(dialogs_, events_);
    return *draw_;
}

void CurvesPlot::BeginPlot() {
    points_.NumInterp = 0;
    qalDraw& d = Draw();
    d.Initialize();
    d.InitializePictureBox(canvas_);
    for (int16_t i = 0; i < 4; ++i)
        d.InitializeTextBox(*bounds_[static_cast<size_t>(i)], i);
    canvas_.SetDrawWidth(2);
}

void CurvesPlot::PlotCurve(GridModel& listing, CurveType type, int16_t compFreq) {
    BeginPlot();
    qalDraw& d = Draw();
    const int16_t colour = ComputeCurve(session_, listing, type, compFreq);
    canvas_.SetForeColor(colour);
    canvas_.SetLayer(CurveLayer(type), {});
    d.DrawLine(session_.ZeroTimes, session_.ZeroYields, session_.nBonds + 1, true, 1);
    DoEvents(events_);
}

void CurvesPlot::DrawNelsonSiegel(const Array1<float>& model) {
    canvas_.SetForeColor(kColourNelsonSiegel);
    canvas_.SetLayer("ns", {});
    Draw().DrawLine(session_.ZeroTimes, model, session_.nBonds + 1, false, 1);
}

void CurvesPlot::DrawSpline(float step, float leftSlope, float rightSlope) {
    SplineInterpolation(session_, step, leftSlope, rightSlope, points_);
    canvas_.SetForeColor(kColourSpline);
    canvas_.SetLayer("spline", {});
    Draw().DrawLine(points_.InterpX, points_.InterpY, points_.NumInterp + 1, false, 1);
    DoEvents(events_);
}

std::string CurvesPlot::InterpolationText(float step) {
    if (points_.NumInterp <= 0)
        LinearInterpolation(session_, step, points_);
    return InterpolationCopyText(points_);
}

} // namespace yarrow
