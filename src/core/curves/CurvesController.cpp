#include "core/curves/CurvesController.h"

#include "core/curves/Interpolation.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"

#include <algorithm>
#include <stdexcept>

namespace yarrow {

std::optional<int16_t> CompoundingFromName(const std::string& name) {
    for (const CompoundingEntry& e : kCompoundings)
        if (name == e.name)
            return e.freq;
    return std::nullopt;
}

std::optional<CurveType> CurveFromName(const std::string& name) {
    for (const CurveEntry& e : kCurves)
        if (name == e.name)
            return e.type;
    return std::nullopt;
}

std::optional<int> StepIndexFromName(const std::string& name) {
    for (size_t i = 0; i < std::size(kSteps); ++i)
        if (name == kSteps[i].name)
            return static_cast<int>(i);
    return std::nullopt;
}

float StrictSingle(const std::string& text) {
    if (!IsNumeric(text))
        throw RuntimeError::TypeMismatch();
    return SafeSingle(text);
}

float EndSlope(const std::string& text) {
    return CSng(Val(text));
}

int16_t NextKeepColour(int16_t colour) {
    constexpr std::array<int16_t, 5> kFaint = {7, 10, 11, 14, 15};
    int16_t c = colour;
    do
        c = static_cast<int16_t>((((c + 1) % 16) + 16) % 16);
    while (std::find(kFaint.begin(), kFaint.end(), c) != kFaint.end());
    return c;
}

bool IsCurveLayer(const std::string& layer) {
    return CurveFromName(layer).has_value();
}

NelsonSiegelParameters CurvesController::NelsonSiegel() const {
    return {StrictSingle(nelsonSiegelTexts[0]), StrictSingle(nelsonSiegelTexts[1]),
            StrictSingle(nelsonSiegelTexts[2])};
}

NelsonSiegelParameters CurvesController::Fit() {
    const NelsonSiegelParameters p = FitNelsonSiegel(session_);
    nelsonSiegelTexts = {FormatNelsonSiegelParameter(p.level), FormatNelsonSiegelParameter(p.slope),
                         FormatNelsonSiegelParameter(p.curve)};
    return {SafeSingle(nelsonSiegelTexts[0]), SafeSingle(nelsonSiegelTexts[1]), SafeSingle(nelsonSiegelTexts[2])};
}

float CurvesController::Step() const {
    return InterpolationStep(stepIndex);
}

void CurvesController::AttachPlot(Canvas& canvas, const std::array<TextSink*, 4>& bounds, Dialogs* dialogs,
                                  PendingEvents* events) {
    plot_ = std::make_unique<CurvesPlot>(session_, canvas, bounds, dialogs, events);
}

CurvesPlot& CurvesController::Plot() {
    if (!plot_)
        throw std::logic_error("CurvesController: no canvas attached");
    return *plot_;
}

void CurvesController::PlotChosen(GridModel& listing) {
    if (chosen)
        Plot().PlotCurve(listing, *chosen, compFreq);
    else
        Plot().BeginPlot();
}

Array1<float> CurvesController::Model(const NelsonSiegelParameters& p) {
    return NelsonSiegelAtBonds(session_, p);
}

void CurvesController::DrawSpline() {
    Plot().DrawSpline(Step(), EndSlope(leftSlopeText), EndSlope(rightSlopeText));
}

std::string CurvesController::InterpolationText() {
    return Plot().InterpolationText(Step());
}

} // namespace yarrow
