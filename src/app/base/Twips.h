#pragma once

#include <QRect>

class QWidget;

namespace yarrow {

// Positions and sizes of controls are kept in twips; the screen shows 15 twips per logical pixel.
inline constexpr int kTwipsPerPixel = 15;

// A control's rectangle in twips, single precision like the properties it mirrors.
struct TwipRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool operator==(const TwipRect&) const = default;
};

int PixelsFromTwips(double twips);
QRect PixelRect(const TwipRect& r);

// The twips a control was last given, as long as its pixel geometry still matches them (so
// arithmetic on Left/Top/Width/Height round-trips exactly); otherwise its pixels times 15.
TwipRect GetTwips(const QWidget* w);
// Stores the twips and moves the widget to the nearest pixels. A negative width or height raises
// InvalidPropertyValue and changes nothing.
void SetTwips(QWidget* w, const TwipRect& r);

void SetTwipLeft(QWidget* w, float v);
void SetTwipTop(QWidget* w, float v);
void SetTwipWidth(QWidget* w, float v);
void SetTwipHeight(QWidget* w, float v);

} // namespace yarrow
