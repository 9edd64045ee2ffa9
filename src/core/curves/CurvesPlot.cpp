#include "core/curves/CurvesPlot.h"

#include "core/curves/CurvesController.h"
#include "core/data/Session.h"
#include "core/seams/Canvas.h"
#include "core/text/NumberText.h"

#include <algorithm>

namespace yarrow {

const char* CurveLayer(CurveType type) {
    return kCurves[static_cast<int>(type)].name;
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
    canvas_.SetForeColor(Keeping() ? keptColour_ : colour);
    // Each day compared differs by dash as well as colour, for readers who cannot tell the colours.
    canvas_.SetDrawStyle(static_cast<int16_t>(Keeping() ? keptCount_ % 4 : 0));
    canvas_.SetLayer(CurveLayer(type), Keeping() ? session_.tableDate : std::string());
    d.DrawLine(session_.ZeroTimes, session_.ZeroYields, session_.nBonds + 1, true, 1);
    lastExtent_ = Extent{d.extent(0), d.extent(1), d.extent(2), d.extent(3)};
    if (keptExtent_) {
        // One scale for the kept curves and this one; the labels describe all of them.
        const Extent& k = *keptExtent_;
        Extent& e = *lastExtent_;
        const Extent all{std::max(k[0], e[0]), std::min(k[1], e[1]), std::min(k[2], e[2]),
                         std::max(k[3], e[3])};
        canvas_.SetUserScale(all[2], all[0], all[3], all[1]);
        bounds_[0]->SetText(FormatPattern(all[0], "0.00"));
        bounds_[1]->SetText(FormatPattern(all[1], "0.00"));
        bounds_[2]->SetText(FormatPattern(all[2], "0.0000"));
        bounds_[3]->SetText(FormatPattern(all[3], "0.0000"));
        e = all;
    }
    DoEvents(events_);
}

bool CurvesPlot::Keep(int16_t colour) {
    if (lastExtent_)
        keptExtent_ = lastExtent_;
    else if (!keptExtent_)
        return false;
    keptColour_ = colour;
    ++keptCount_;
    return true;
}

void CurvesPlot::ForgetKept() {
    keptExtent_.reset();
    lastExtent_.reset();
    keptCount_ = 0;
}

void CurvesPlot::DrawNelsonSiegel(const Array1<float>& model) {
    canvas_.SetForeColor(kColourNelsonSiegel);
    // Dashed, so the model and the red curve under it differ for readers who confuse red and green.
    canvas_.SetDrawStyle(1);
    canvas_.SetLayer("ns", {});
    Draw().DrawLine(session_.ZeroTimes, model, session_.nBonds + 1, false, 1);
}

void CurvesPlot::DrawSpline(float step, float leftSlope, float rightSlope) {
    SplineInterpolation(session_, step, leftSlope, rightSlope, points_);
    canvas_.SetForeColor(kColourSpline);
    canvas_.SetDrawStyle(2);
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
