#pragma once

#include "core/curves/CurvesListing.h"
#include "core/curves/Interpolation.h"
#include "core/curves/NelsonSiegel.h"
#include "core/draw/qalDraw.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace yarrow {

class Canvas;
class GridModel;
class Session;
class TextSink;

// What the plot buttons of the curves panel draw, shared by the panel and the command line: the
// curve plots, the Nelson-Siegel model and the spline, all through one qalDraw on one canvas,
// each line drawn over the last until the canvas is cleared. Run-time errors go to the caller.
class CurvesPlot {
public:
    CurvesPlot(Session& session, Canvas& canvas, const std::array<TextSink*, 4>& bounds,
               Dialogs* dialogs = nullptr, PendingEvents* events = nullptr);

    // What every press of the curve plot does first, a curve chosen or not: forgets the
    // interpolation grid, sets qalDraw up afresh on the canvas and its labels, line width 2.
    void BeginPlot();
    // The curve plot: BeginPlot, then the curve's data into the session's curve arrays and column 7
    // of the listing, and the curve drawn on its own scale.
    void PlotCurve(GridModel& listing, CurveType type, int16_t compFreq);
    // The model at the bond maturities, drawn on the scale of the last curve plot.
    void DrawNelsonSiegel(const Array1<float>& model);
    // The spline through the plotted curve on the grid of `step`, drawn on the same scale.
    void DrawSpline(float step, float leftSlope, float rightSlope);
    // "Copy Interpolation": the grid of the last spline, or a straight-line one built now (and
    // kept until the next curve plot) when no spline was drawn since.
    std::string InterpolationText(float step);

    // Comparing days: the curves plotted so far stay in the picture, and every later curve plot is
    // drawn in `colour`, with the quote date of its bond table as legend, on one scale that covers
    // it and every curve kept before. False when no curve was plotted since the last clear.
    bool Keep(int16_t colour);
    // Ends the comparison (the picture was cleared): curve plots take their own scale again.
    void ForgetKept();
    bool Keeping() const { return keptExtent_.has_value(); }

    int16_t NumInterp() const { return points_.NumInterp; }
    const InterpolationGrid& Points() const { return points_; }

private:
    qalDraw& Draw();

    Session& session_;
    Canvas& canvas_;
    std::array<TextSink*, 4> bounds_;
    Dialogs* dialogs_;
    PendingEvents* events_;
    std::unique_ptr<qalDraw> draw_; // created by the first plot
    InterpolationGrid points_;
    // Extents as qalDraw keeps them: 0 top, 1 bottom, 2 left, 3 right.
    using Extent = std::array<float, 4>;
    std::optional<Extent> lastExtent_; // of the last curve plot
    std::optional<Extent> keptExtent_; // of every kept curve
    int16_t keptColour_ = 0;
    int keptCount_ = 0; // days kept since the last clear
};

// The layer name of each curve in an exported plot: "ytm", "zero", "forward".
const char* CurveLayer(CurveType type);

} // namespace yarrow
