#include "base/LineControl.h"

#include "base/Twips.h"

#include <QPainter>
#include <algorithm>

namespace yarrow {

LineControl::LineControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    Reposition();
}

void LineControl::SetX1(float v) {
    x1_ = v;
    Reposition();
}
void LineControl::SetY1(float v) {
    y1_ = v;
    Reposition();
}
void LineControl::SetX2(float v) {
    x2_ = v;
    Reposition();
}
void LineControl::SetY2(float v) {
    y2_ = v;
    Reposition();
}
void LineControl::SetPoints(float x1, float y1, float x2, float y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Reposition();
}

void LineControl::SetLineColor(const QColor& c) {
    color_ = c;
    update();
}

void LineControl::Reposition() {
    const int ax = PixelsFromTwips(x1_), ay = PixelsFromTwips(y1_);
    const int bx = PixelsFromTwips(x2_), by = PixelsFromTwips(y2_);
    setGeometry(std::min(ax, bx), std::min(ay, by), std::abs(bx - ax) + thickness_,
                std::abs(by - ay) + thickness_);
    update();
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(color_, thickness_));
    const QPoint origin = pos();
    const QPoint a(PixelsFromTwips(x1_), PixelsFromTwips(y1_));
    const QPoint b(PixelsFromTwips(x2_), PixelsFromTwips(y2_));
    painter.drawLine(a - origin, b - origin);
}

} // namespace yarrow
