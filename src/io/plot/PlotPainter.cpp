#include "io/plot/PlotPainter.h"

#include "core/draw/DisplayList.h"
#include "core/draw/PlotFrame.h"
#include "core/draw/PlotSvg.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace yarrow {

namespace {

QColor PaletteColour(int index) {
    return QColor::fromRgb(kPalette16[static_cast<size_t>(((index % 16) + 16) % 16)]);
}

// Far-off points (a yield of -999 on a scale set by other curves) are clamped so the painter's
// fixed-point arithmetic keeps the direction of the segment sensible.
double Clamp(double v) {
    if (!std::isfinite(v))
        return 0;
    return std::clamp(v, -1.0e6, 1.0e6);
}

// Kept curves are told apart by dash as well as colour; the SVG writer uses the same pattern.
void Dash(QPen& pen, int style) {
    const std::vector<double> dashes = PlotFrame::DashPattern(style);
    if (dashes.empty())
        return;
    pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
}

} // namespace

void PaintPlotBox(QPainter& painter, const DisplayList& plot, const QRect& box) {
    painter.save();
    painter.fillRect(box, Qt::white);
    // Box coordinates, so the screen and an exported picture dash every line alike.
    painter.translate(box.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), box.size()));
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const DisplayList::Line& line : plot.Lines()) {
        QPen pen(PaletteColour(line.colour), line.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        Dash(pen, line.style);
        painter.setPen(pen);
        QPainterPath path;
        bool first = true;
        for (const DisplayList::Point& p : line.points) {
            const DisplayList::Point q = plot.ToPicture(p, box.width(), box.height());
            const QPointF at(Clamp(q.x), Clamp(q.y));
            if (first)
                path.moveTo(at);
            else
                path.lineTo(at);
            first = false;
        }
        if (line.points.size() == 1)
            painter.drawPoint(path.currentPosition());
        else
            painter.drawPath(path);
    }
    const std::vector<DisplayList::LegendEntry> legend = plot.Legend();
    if (!legend.empty()) {
        QFont font(QStringLiteral("Sans Serif"));
        font.setPixelSize(PlotFrame::kFontPixels);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const DisplayList::LegendEntry& e : legend)
            widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(e.text)));
        const int x0 = PlotFrame::kLegendInset;
        const int y0 = PlotFrame::kLegendInset;
        painter.fillRect(QRect(x0 - 3, y0 - 2, PlotFrame::kLegendStroke + PlotFrame::kLegendGap + widest + 6,
                               static_cast<int>(legend.size()) * PlotFrame::kLegendRow + 4),
                         QColor(255, 255, 255, 160));
        for (size_t i = 0; i < legend.size(); ++i) {
            const int base = PlotFrame::LegendBaseline(static_cast<int>(i));
            QPen stroke(PaletteColour(legend[i].colour), 2);
            Dash(stroke, legend[i].style);
            painter.setPen(stroke);
            const int rise = base - PlotFrame::kLegendStrokeRise;
            painter.drawLine(x0, rise, x0 + PlotFrame::kLegendStroke, rise);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(x0 + PlotFrame::kLegendStroke + PlotFrame::kLegendGap, base),
                             QString::fromStdString(legend[i].text));
        }
    }
    painter.restore();
    painter.save();
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.restore();
}

QImage RenderPlotBox(const DisplayList& plot, int width, int height, qreal pixelRatio) {
    QImage box(std::max(1, int(std::lround(width * pixelRatio))), std::max(1, int(std::lround(height * pixelRatio))),
               QImage::Format_ARGB32_Premultiplied);
    box.setDevicePixelRatio(pixelRatio);
    QPainter painter(&box);
    PaintPlotBox(painter, plot, QRect(0, 0, width, height));
    return box;
}

QImage RenderPlotImage(const DisplayList& plot, int boxWidth, int boxHeight) {
    const PlotFrame f = PlotFrame::ForBox(boxWidth, boxHeight);
    QImage image(f.width, f.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(f.boxX, f.boxY, RenderPlotBox(plot, boxWidth, boxHeight));
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(PlotFrame::kFontPixels);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    for (int i = 0; i < 4; ++i) {
        const PlotFrame::Anchor a = f.LabelAnchor(i);
        const QString text = QString::fromStdString(plot.BoundText(i));
        const int x = a.alignEnd ? a.x - metrics.horizontalAdvance(text) : a.x;
        painter.drawText(QPoint(x, a.y - metrics.descent()), text);
    }
    return image;
}

bool SavePlot(const DisplayList& plot, int boxWidth, int boxHeight, const QString& path, QString* error) {
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (boxWidth < 1 || boxHeight < 1)
        return fail(QStringLiteral("The picture has no size."));
    const QString lower = path.toLower();
    QSaveFile file(path);
    if (lower.endsWith(QStringLiteral(".svg"))) {
        if (!file.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        const std::string svg = PlotSvg(plot, boxWidth, boxHeight);
        file.write(svg.data(), static_cast<qint64>(svg.size()));
    } else if (lower.endsWith(QStringLiteral(".png"))) {
        if (!file.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        if (!RenderPlotImage(plot, boxWidth, boxHeight).save(&file, "PNG")) {
            file.cancelWriting();
            return fail(QStringLiteral("Cannot write %1 as PNG.").arg(path));
        }
    } else {
        return fail(QStringLiteral("Save the plot as a .png or a .svg file."));
    }
    if (!file.commit())
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace yarrow
