#include "chart/ChartWidget.h"

#include "core/draw/PlotText.h"
#include "io/plot/ChartPainterQt.h"
#include "widgets/PlotAccessible.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace yarrow {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("chartView");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setMinimumSize(320, 200);
    setFocusPolicy(Qt::StrongFocus);
    InstallPlotAccessibility();
    setAccessibleName(QString::fromStdString(DescribeChart(chart_)));
}

void ChartWidget::SetChart(const Chart& chart, bool keepZoom) {
    chart_ = chart;
    if (!keepZoom)
        view_.reset();
    const QString said = QString::fromStdString(DescribeChart(chart_));
    if (said != accessibleName())
        setAccessibleName(said); // sends QAccessible::NameChanged
    update();
}

ChartLayout ChartWidget::Layout() const {
    return LayoutChart(chart_, width(), height(), view_ ? &*view_ : nullptr);
}

ChartRange ChartWidget::View() const {
    return Layout().range;
}

void ChartWidget::SetView(const ChartRange& view) {
    if (view.Valid())
        view_ = view;
    update();
}

void ChartWidget::ResetView() {
    view_.reset();
    update();
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ChartPainterQt back(painter);
    RenderChart(chart_, back, width(), height(), ThemeFromPalette(palette()), view_ ? &*view_ : nullptr);
    if (dragFrom_) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        QColor fill = palette().color(QPalette::Highlight);
        fill.setAlpha(60);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter.setBrush(fill);
        painter.drawRect(QRect(*dragFrom_, dragTo_).normalized());
    }
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const ChartLayout l = Layout();
    if (dragFrom_) {
        dragTo_ = at.toPoint();
        update();
    }
    emit Readout(l.InPlot(at.x(), at.y())
                     ? QString::fromStdString(ChartReadout(chart_, l.DataX(at.x()), l.DataY(at.y())))
                     : QString());
    QWidget::mouseMoveEvent(event);
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && Layout().InPlot(event->position().x(), event->position().y())) {
        dragFrom_ = event->position().toPoint();
        dragTo_ = *dragFrom_;
    }
    QWidget::mousePressEvent(event);
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (dragFrom_ && event->button() == Qt::LeftButton) {
        const QRect r = QRect(*dragFrom_, event->position().toPoint()).normalized();
        dragFrom_.reset();
        // A click or a tiny drag is not a zoom.
        if (r.width() >= 6 && r.height() >= 6) {
            const ChartLayout l = Layout();
            const double xa = l.DataX(r.left()), xb = l.DataX(r.right());
            const double ya = l.DataY(r.top()), yb = l.DataY(r.bottom());
            SetView({std::min(xa, xb), std::max(xa, xb), std::min(ya, yb), std::max(ya, yb)});
        }
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    dragFrom_.reset();
    ResetView();
    QWidget::mouseDoubleClickEvent(event);
}

void ChartWidget::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    const ChartLayout l = Layout();
    const QPointF at = event->position();
    const double cx = l.DataX(std::clamp(at.x(), l.plotX, l.plotX + l.plotW));
    const double cy = l.DataY(std::clamp(at.y(), l.plotY, l.plotY + l.plotH));
    // Each notch shows 80% of the span, about the point under the pointer.
    const double k = std::pow(0.8, steps);
    const ChartRange r = l.range;
    SetView({cx - (cx - r.xMin) * k, cx + (r.xMax - cx) * k, cy - (cy - r.yMin) * k, cy + (r.yMax - cy) * k});
    event->accept();
}

void ChartWidget::leaveEvent(QEvent* event) {
    emit Readout(QString());
    QWidget::leaveEvent(event);
}

} // namespace yarrow
