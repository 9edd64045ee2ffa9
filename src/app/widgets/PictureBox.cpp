#include "widgets/PictureBox.h"

#include "io/plot/PlotPainter.h"

#include "widgets/PlotAccessible.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace yarrow {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    InstallPlotAccessibility();
    UpdateDescription();
}

void PictureBox::SetSubject(const PlotSubject& subject) {
    subject_ = subject;
    Changed();
}

void PictureBox::Changed() {
    update();
    emit Drawn();
    if (describing_)
        return;
    describing_ = true;
    QTimer::singleShot(0, this, &PictureBox::UpdateDescription);
}

void PictureBox::UpdateDescription() {
    describing_ = false;
    const QString text = QString::fromStdString(DescribePlot(plot_, subject_));
    if (text == accessibleName())
        return;
    setAccessibleName(text);
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void PictureBox::SetUserScale(float left, float top, float right, float bottom) {
    plot_.SetUserScale(left, top, right, bottom);
    Changed();
}

void PictureBox::SetPoint(float x, float y) {
    plot_.SetPoint(x, y);
    Changed();
}

void PictureBox::DrawSegment(float x1, float y1, float x2, float y2) {
    plot_.DrawSegment(x1, y1, x2, y2);
    Changed();
}

void PictureBox::SetForeColor(int16_t colour) {
    plot_.SetForeColor(colour);
}

void PictureBox::SetDrawWidth(int16_t width) {
    plot_.SetDrawWidth(width);
}

void PictureBox::SetDrawStyle(int16_t style) {
    plot_.SetDrawStyle(style);
}

void PictureBox::Clear() {
    plot_.Clear();
    Changed();
}

void PictureBox::SetLayer(const std::string& layer, const std::string& legend) {
    plot_.SetLayer(layer, legend);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, RenderPlotBox(plot_, width(), height(), devicePixelRatioF()));
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
