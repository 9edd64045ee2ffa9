#include "widgets/PictureBox.h"

#include "io/plot/PlotPainter.h"

#include <QMouseEvent>
#include <QPainter>

namespace yarrow {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void PictureBox::SetUserScale(float left, float top, float right, float bottom) {
    plot_.SetUserScale(left, top, right, bottom);
    update();
    emit Drawn();
}

void PictureBox::SetPoint(float x, float y) {
    plot_.SetPoint(x, y);
    update();
    emit Drawn();
}

void PictureBox::DrawSegment(float x1, float y1, float x2, float y2) {
    plot_.DrawSegment(x1, y1, x2, y2);
    update();
    emit Drawn();
}

void PictureBox::SetForeColor(int16_t colour) {
    plot_.SetForeColor(colour);
}

void PictureBox::SetDrawWidth(int16_t width) {
    plot_.SetDrawWidth(width);
}

void PictureBox::Clear() {
    plot_.Clear();
    update();
    emit Drawn();
}

void PictureBox::SetLayer(const std::string& layer, const std::string& legend) {
    plot_.SetLayer(layer, legend);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPlotBox(painter, plot_, rect());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const DisplayList::Point p = plot_.FromPicture({float(at.x()), float(at.y())}, width(), height());
    emit PointerAt(p.x, p.y);
    QWidget::mouseMoveEvent(event);
}

void PictureBox::leaveEvent(QEvent* event) {
    emit PointerLeft();
    QWidget::leaveEvent(event);
}

} // namespace yarrow
