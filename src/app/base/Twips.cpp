#include "base/Twips.h"

#include "core/text/RuntimeError.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace yarrow {

namespace {
constexpr const char* kTwipsProperty = "yarrowTwips";
constexpr const char* kPixelsProperty = "yarrowTwipsPixels";
} // namespace

int PixelsFromTwips(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect PixelRect(const TwipRect& r) {
    // Edges are rounded, not sizes, so neighbours that touch in twips touch on screen.
    const int x = PixelsFromTwips(r.left);
    const int y = PixelsFromTwips(r.top);
    const int right = PixelsFromTwips(double(r.left) + double(r.width));
    const int bottom = PixelsFromTwips(double(r.top) + double(r.height));
    return QRect(x, y, std::max(0, right - x), std::max(0, bottom - y));
}

TwipRect GetTwips(const QWidget* w) {
    const QVariant px = w->property(kPixelsProperty);
    if (px.isValid() && px.toRect() == w->geometry()) {
        const QRectF t = w->property(kTwipsProperty).toRectF();
        return {float(t.x()), float(t.y()), float(t.width()), float(t.height())};
    }
    const QRect g = w->geometry();
    return {float(g.x() * kTwipsPerPixel), float(g.y() * kTwipsPerPixel), float(g.width() * kTwipsPerPixel),
            float(g.height() * kTwipsPerPixel)};
}

void SetTwips(QWidget* w, const TwipRect& r) {
    if (r.width < 0 || r.height < 0 || !std::isfinite(r.left) || !std::isfinite(r.top) ||
        !std::isfinite(r.width) || !std::isfinite(r.height))
        throw RuntimeError::InvalidPropertyValue();
    const QRect px = PixelRect(r);
    w->setGeometry(px);
    w->setProperty(kTwipsProperty, QRectF(r.left, r.top, r.width, r.height));
    // A widget with a minimum or maximum size may not take the pixels asked for; what it did take
    // is what GetTwips compares against.
    w->setProperty(kPixelsProperty, w->geometry());
}

void SetTwipLeft(QWidget* w, float v) {
    TwipRect r = GetTwips(w);
    r.left = v;
    SetTwips(w, r);
}
void SetTwipTop(QWidget* w, float v) {
    TwipRect r = GetTwips(w);
    r.top = v;
    SetTwips(w, r);
}
void SetTwipWidth(QWidget* w, float v) {
    TwipRect r = GetTwips(w);
    r.width = v;
    SetTwips(w, r);
}
void SetTwipHeight(QWidget* w, float v) {
    TwipRect r = GetTwips(w);
    r.height = v;
    SetTwips(w, r);
}

} // namespace yarrow
