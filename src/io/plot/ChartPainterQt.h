#pragma once

#include "core/draw/ChartRender.h"

#include <QImage>
#include <QPalette>
#include <QString>

class QPainter;

namespace yarrow {

// The chart's back end on a QPainter: the chart widget paints the screen with it and the PNG
// export renders the same calls into an image.
class ChartPainterQt : public ChartPainter {
public:
    explicit ChartPainterQt(QPainter& painter) : painter_(painter) {}

    void FillRect(double x, double y, double w, double h, uint32_t rgb, double opacity, const std::string& cssClass,
                  const Attributes& attributes) override;
    void Polyline(const std::vector<ChartPoint>& points, uint32_t rgb, double width, ChartLineStyle style,
                  double opacity, const std::string& cssClass, const std::string& legend) override;
    void Text(double x, double y, const std::string& text, double pixels, Align align, bool vertical, uint32_t rgb,
              const std::string& id) override;
    void Image(double x, double y, double w, double h, const std::vector<uint32_t>& rgb, int columns,
               int rows) override;
    void Clip(double x, double y, double w, double h) override;
    void Unclip() override;

private:
    QPainter& painter_;
    int saved_ = 0;
};

// The theme of a palette: its window and text colours, so a dark desktop gets a dark chart.
ChartTheme ThemeFromPalette(const QPalette& palette);

QImage RenderChartImage(const Chart& chart, int width, int height, const ChartTheme& theme = ChartTheme::Light(),
                        const ChartRange* view = nullptr);

// Writes the chart as .svg or .png (letter case ignored) through a temporary file and a rename;
// false with a message for another extension or a file that cannot be written.
bool SaveChart(const Chart& chart, int width, int height, const QString& path, QString* error,
               const ChartRange* view = nullptr);

} // namespace yarrow
