#pragma once

#include "core/seams/Canvas.h"
#include "core/seams/Dialogs.h"
#include "core/seams/PendingEvents.h"
#include "core/numeric/Precision.h"

#include <array>
#include <cstdint>

namespace yarrow {

class RuntimeError;

// Draws a curve as a polyline on a canvas and, when asked, first fits the canvas's user scale
// to the data (y growing upward) and writes the four axis bounds into the bound labels:
// 0 top (largest y), 1 bottom (smallest y), 2 left (smallest x), 3 right (largest x).
// Points are arrays used from index 1; the count argument is one more than the number of points.
// The canvas and the labels are not owned.
class qalDraw {
public:
    // Errors caught by DrawLine and CalcYScale are shown through dialogs (when given) with the
    // common error report; events is serviced after a report and by InitializePictureBox.
    explicit qalDraw(Dialogs* dialogs = nullptr, PendingEvents* events = nullptr)
        : dialogs_(dialogs), events_(events) {}

    void InitializePictureBox(Canvas& pb);
    // Bound label i (0..3; another index raises SubscriptOutOfRange).
    void InitializeTextBox(TextSink& tb, int16_t i);
    // Factors back to their defaults: x up 1.05, x down 0.95, y up 1.01, y down 0.99.
    void Initialize();

    // Draws points 1..count-1 as a polyline, after CalcYScale, CalcXScale and SetScale when
    // AutoScale is true (the extent then covers points iStart..count-1 only). A run-time error
    // is reported and ends the drawing; what was drawn stays.
    void DrawLine(const Array1<float>& xval, const Array1<float>& yval, int32_t count, bool AutoScale,
                  int32_t iStart);
    // Extent of yval(iStart..count-1), widened by the y factors, into the top and bottom labels
    // (2 decimals). Reports its own run-time errors.
    void CalcYScale(const Array1<float>& yval, int32_t count, int32_t iStart);
    // The same over xval with the x factors, into the left and right labels (4 decimals).
    void CalcXScale(const Array1<float>& xval, int32_t count, int32_t iStart);
    // Makes the extent non-empty and sets the canvas's user scale from it.
    void SetScale();

    // Extent of the last automatic scaling: 0 top, 1 bottom, 2 left, 3 right.
    // (Another index raises SubscriptOutOfRange.)
    float extent(int i) const {
        if (i < 0 || i > 3)
            ThrowSubscriptOutOfRange();
        return extent_[static_cast<size_t>(i)];
    }

private:
    void Report(const RuntimeError& e);
    Canvas& canvas();
    TextSink& label(int i);

    Dialogs* dialogs_;
    PendingEvents* events_;
    Canvas* pictureBox_ = nullptr;
    std::array<TextSink*, 4> labels_{};
    std::array<float, 4> extent_{};
    float xUpFactor_ = 1.05f;
    float xDownFactor_ = 0.95f;
    float yUpFactor_ = 1.01f;
    float yDownFactor_ = 0.99f;
};

} // namespace yarrow
