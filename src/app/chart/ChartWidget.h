#pragma once

#include "core/draw/ChartRender.h"

#include <QPoint>
#include <QWidget>
#include <optional>

namespace yarrow {

// Paints a Chart at the widget's size in the system palette and lets the user look closer: the
// wheel zooms about the pointer, dragging a rectangle zooms to it, a double-click goes back to the
// whole chart. The point under the pointer is reported as text.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);

    // Shows `chart`; the zoom is kept when asked (a chart that follows a source), else reset.
    void SetChart(const Chart& chart, bool keepZoom = false);
    const Chart& GetChart() const { return chart_; }

    // The range shown: the zoom, or the chart's own.
    ChartRange View() const;
    void SetView(const ChartRange& view);
    void ResetView();
    bool Zoomed() const { return view_.has_value(); }
    ChartLayout Layout() const;

    QSize sizeHint() const override { return {960, 600}; }

signals:
    // The point under the pointer ("" when it leaves the plot).
    void Readout(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Chart chart_;
    std::optional<ChartRange> view_;
    std::optional<QPoint> dragFrom_;
    QPoint dragTo_;
};

} // namespace yarrow
