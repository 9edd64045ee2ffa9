#include "io/plot/ChartPainterQt.h"

#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace yarrow {

namespace {

QColor Colour(uint32_t rgb, double opacity = 1) {
    QColor c = QColor::fromRgb(rgb & 0xFFFFFF);
    c.setAlphaF(static_cast<float>(std::clamp(opacity, 0.0, 1.0)));
    return c;
}

uint32_t Rgb(const QColor& c) {
    return static_cast<uint32_t>(c.rgb()) & 0xFFFFFF;
}

} // namespace

void ChartPainterQt::FillRect(double x, double y, double w, double h, uint32_t rgb, double opacity,
                              const std::string&, const Attributes&) {
    painter_.fillRect(QRectF(x, y, w, h), Colour(rgb, opacity));
}

void ChartPainterQt::Polyline(const std::vector<ChartPoint>& points, uint32_t rgb, double width,
                              ChartLineStyle style, double opacity, const std::string&, const std::string&) {
    if (points.empty())
        return;
    QPen pen(Colour(rgb, opacity), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (style) {
    case ChartLineStyle::kSolid:
        break;
    case ChartLineStyle::kDash:
        pen.setDashPattern({4, 3});
        break;
    case ChartLineStyle::kDot:
        pen.setDashPattern({0.5, 2});
        break;
    case ChartLineStyle::kDashDot:
        pen.setDashPattern({4, 2, 0.5, 2});
        break;
    }
    painter_.setPen(pen);
    // Grid lines and frames stay crisp; curves are smoothed.
    painter_.setRenderHint(QPainter::Antialiasing, width > 1.5);
    if (points.size() == 1) {
        painter_.drawPoint(QPointF(points[0].x, points[0].y));
        return;
    }
    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i].x, points[i].y);
    painter_.drawPath(path);
}

void ChartPainterQt::Text(double x, double y, const std::string& text, double pixels, Align align, bool vertical,
                          uint32_t rgb, const std::string&) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    painter_.setFont(font);
    painter_.setPen(Colour(rgb));
    const QString s = QString::fromStdString(text);
    const double w = QFontMetricsF(font).horizontalAdvance(s);
    const double dx = align == Align::kStart ? 0 : align == Align::kMiddle ? -w / 2 : -w;
    painter_.save();
    painter_.translate(x, y);
    if (vertical)
        painter_.rotate(-90);
    painter_.drawText(QPointF(dx, 0), s);
    painter_.restore();
}

void ChartPainterQt::Image(double x, double y, double w, double h, const std::vector<uint32_t>& rgb, int columns,
                           int rows) {
    if (columns < 1 || rows < 1 || rgb.size() < static_cast<size_t>(columns) * static_cast<size_t>(rows))
        return;
    QImage image(columns, rows, QImage::Format_RGB32);
    for (int j = 0; j < rows; ++j) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(j));
        const uint32_t* from = rgb.data() + static_cast<size_t>(j) * static_cast<size_t>(columns);
        for (int i = 0; i < columns; ++i)
            line[i] = 0xFF000000u | from[i];
    }
    painter_.drawImage(QRectF(x, y, w, h), image);
}

void ChartPainterQt::Clip(double x, double y, double w, double h) {
    painter_.save();
    ++saved_;
    painter_.setClipRect(QRectF(x, y, w, h));
}

void ChartPainterQt::Unclip() {
    if (saved_ > 0) {
        --saved_;
        painter_.restore();
    }
}

ChartTheme ThemeFromPalette(const QPalette& palette) {
    ChartTheme t;
    t.background = Rgb(palette.color(QPalette::Base));
    t.text = Rgb(palette.color(QPalette::Text));
    if (t.IsDark()) {
        const ChartTheme dark = ChartTheme::Dark();
        t.grid = dark.grid;
        t.frame = dark.frame;
    }
    return t;
}

QImage RenderChartImage(const Chart& chart, int width, int height, const ChartTheme& theme, const ChartRange* view) {
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    image.fill(Colour(theme.background));
    QPainter painter(&image);
    ChartPainterQt back(painter);
    RenderChart(chart, back, image.width(), image.height(), theme, view);
    return image;
}

bool SaveChart(const Chart& chart, int width, int height, const QString& path, QString* error,
               const ChartRange* view) {
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (width < 16 || height < 16)
        return fail(QStringLiteral("The picture has no size."));
    const QString lower = path.toLower();
    const bool svg = lower.endsWith(QStringLiteral(".svg"));
    if (!svg && !lower.endsWith(QStringLiteral(".png")))
        return fail(QStringLiteral("Save the chart as a .png or a .svg file."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    if (svg) {
        Chart shown = chart;
        if (view && view->Valid())
            shown.fixed = *view;
        const std::string text = ChartSvg(shown, width, height);
        file.write(text.data(), static_cast<qint64>(text.size()));
    } else if (!RenderChartImage(chart, width, height, ChartTheme::Light(), view).save(&file, "PNG")) {
        file.cancelWriting();
        return fail(QStringLiteral("Cannot write %1 as PNG.").arg(path));
    }
    if (!file.commit())
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace yarrow
