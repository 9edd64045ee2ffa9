#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace yarrow {

// The drawing surface of a plot (a picture box). Coordinates are user coordinates of the last
// SetUserScale; colour, width and the current position persist until changed. qalDraw uses
// SetUserScale, SetPoint and DrawSegment; the panel that owns the plot sets colour and width and
// clears it. The app keeps these calls as a display list and repaints from it, so every call
// must be cheap and must not paint immediately.
class Canvas {
public:
    virtual ~Canvas() = default;
    // User coordinate system by its corners: (left, top) is the top-left corner of the surface,
    // (right, bottom) the bottom-right. With top > bottom, y grows upward.
    virtual void SetUserScale(float left, float top, float right, float bottom) = 0;
    // Marks the point with one dot in the current colour and width, and makes it the current
    // position.
    virtual void SetPoint(float x, float y) = 0;
    // A straight segment in the current colour and width; (x2, y2) becomes the current position.
    virtual void DrawSegment(float x1, float y1, float x2, float y2) = 0;
    // Current colour, an index 0..15 of the 16-colour palette (kPalette16).
    virtual void SetForeColor(int16_t colour) = 0;
    // Current line width in pixels (1 and up).
    virtual void SetDrawWidth(int16_t width) = 0;
    // Erases everything drawn; the scale, colour and width stay, the current position becomes
    // the top-left corner.
    virtual void Clear() = 0;
    // Dash pattern of what is drawn from now on (a kept curve's second cue besides its colour): 0
    // solid, 1 dashed, 2 dotted, 3 dash-dot. Surfaces that cannot dash ignore it.
    virtual void SetDrawStyle(int16_t style) { (void)style; }
    // Names what is drawn from now on (a curve's layer such as "zero", and an optional legend
    // text) for surfaces that keep their drawing; others ignore it.
    virtual void SetLayer(const std::string& layer, const std::string& legend) {
        (void)layer;
        (void)legend;
    }
};

// A text box that receives a text, such as the plot's bound labels. Not owned by the writer.
class TextSink {
public:
    virtual ~TextSink() = default;
    virtual void SetText(const std::string& text) = 0;
};

// The 16-colour palette as 0xRRGGBB: black, blue, green, cyan, red, magenta, brown, light grey,
// grey, light blue, light green, light cyan, light red, light magenta, yellow, white. The plots
// use 0 for yields to maturity, 10 Nelson-Siegel, 11 forward, 12 zero, 13 spline.
inline constexpr std::array<uint32_t, 16> kPalette16 = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

} // namespace yarrow
