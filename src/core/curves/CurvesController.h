#pragma once

// CurvesPlot brings the listing, the model, the interpolation and the standard headers with it.
#include "core/curves/CurvesPlot.h"

namespace yarrow {

// One row per compounding: the frequency list's caption, the command line's name, the frequency.
struct CompoundingEntry {
    const char* caption;
    const char* name;
    int16_t freq;
};
inline constexpr CompoundingEntry kCompoundings[] = {{"Continuous", "continuous", -1},
                                                     {"Daily", "daily", 365},
                                                     {"Monthly", "monthly", 12},
                                                     {"Semi-Annual", "semi-annual", 2},
                                                     {"Annual", "annual", 1}};

// One row per curve: the option button's caption, the command line's and the plot layer's name,
// the listing's column 7 heading.
struct CurveEntry {
    CurveType type;
    const char* caption;
    const char* name;
    const char* heading;
};
inline constexpr CurveEntry kCurves[] = {{CurveType::YieldToMaturity, "Yields to Maturity", "ytm", "YTM"},
                                         {CurveType::Zero, "Zero", "zero", "Zero's"},
                                         {CurveType::Forward, "Forward", "forward", "Forwards"}};

// One row per interpolation step: the list's caption and the command line's name (the index is
// what InterpolationStep reads).
struct StepEntry {
    const char* caption;
    const char* name;
};
inline constexpr StepEntry kSteps[] = {{"Daily", "daily"}, {"Weekly", "weekly"}, {"Monthly", "monthly"}};

// The Nelson-Siegel boxes' texts before the first edit or fit: level, slope, curve.
inline constexpr std::array<const char*, 3> kNelsonSiegelDefaultTexts = {".068", "-.04", ".005"};

// The names of a table as the command line lists them: "a, b, c or d".
template <typename Entry, size_t N>
std::string NameList(const Entry (&table)[N], const char* lastJoin = " or ") {
    std::string text;
    for (size_t i = 0; i < N; ++i)
        text += std::string(i == 0 ? "" : i + 1 == N ? lastJoin : ", ") + table[i].name;
    return text;
}

// Looked up by the command line's name; nullopt for any other text.
std::optional<int16_t> CompoundingFromName(const std::string& name);
std::optional<CurveType> CurveFromName(const std::string& name);
std::optional<int> StepIndexFromName(const std::string& name);

// A parameter box read strictly: a text that is not a number is a type mismatch.
float StrictSingle(const std::string& text);
// A spline end-slope box: the leading number of the text, else 0.
float EndSlope(const std::string& text);

// The colour after `colour` for the next day of a comparison, passing over the palette colours
// that hardly show on a white picture (light grey, light green, light cyan, yellow, white).
int16_t NextKeepColour(int16_t colour);
// True for the layer of a yield, zero or forward curve plot.
bool IsCurveLayer(const std::string& layer);

// The state and the steps of the curves panel, shared by the panel and the command line: the
// chosen curve and compounding, the Nelson-Siegel boxes, the spline's end slopes and grid, and the
// plot with its kept curves. The panel copies its controls in before a step and shows the texts
// after; the command line fills them from its options.
class CurvesController {
public:
    explicit CurvesController(Session& session) : session_(session) {}

    std::optional<CurveType> chosen;
    int16_t compFreq = -1;
    std::array<std::string, 3> nelsonSiegelTexts{kNelsonSiegelDefaultTexts[0], kNelsonSiegelDefaultTexts[1],
                                                 kNelsonSiegelDefaultTexts[2]};
    std::string leftSlopeText = "0";
    std::string rightSlopeText = "0";
    int stepIndex = 2;

    Session& session() { return session_; }

    // The boxes read strictly (TypeMismatch for a text that is not a number).
    NelsonSiegelParameters NelsonSiegel() const;
    // Fits the zero curve as it stands, puts the fitted values into the boxes in their format and
    // returns them as read back from there (leniently), which is what the plot draws.
    NelsonSiegelParameters Fit();
    float Step() const;

    // The plot draws on `canvas` with the four bound labels; called once before any plot step.
    void AttachPlot(Canvas& canvas, const std::array<TextSink*, 4>& bounds, Dialogs* dialogs = nullptr,
                    PendingEvents* events = nullptr);
    bool HasPlot() const { return plot_ != nullptr; }
    CurvesPlot& Plot();
    // The chosen curve plotted afresh into the listing and the picture; with none chosen the plot
    // only starts afresh.
    void PlotChosen(GridModel& listing);
    // The model of `p` at the bond maturities, computed before the replot that precedes drawing it.
    Array1<float> Model(const NelsonSiegelParameters& p);
    // The spline through the plotted curve with the slopes and grid of the boxes.
    void DrawSpline();
    // "Copy Interpolation" on the grid of the list.
    std::string InterpolationText();

private:
    Session& session_;
    std::unique_ptr<CurvesPlot> plot_;
};

} // namespace yarrow
