#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace yarrow {

class DisplayList;

// Paints the picture box: white ground, a grey border, every line of the plot on its current
// scale, clipped to the box. The picture box widget and the exported PNG both paint through this,
// so a saved picture matches the screen pixel for pixel.
void PaintPlotBox(QPainter& painter, const DisplayList& plot, const QRect& box);

// The box alone in an image of its own (pixelRatio device pixels per pixel): the widget and the
// exported picture both show this, so they match pixel for pixel, dashes and all.
QImage RenderPlotBox(const DisplayList& plot, int width, int height, qreal pixelRatio = 1);

// The whole exported picture: the box at its frame position and the four bound labels around it.
QImage RenderPlotImage(const DisplayList& plot, int boxWidth, int boxHeight);

// Writes the plot to `path`: SVG when the name ends in .svg, PNG when it ends in .png (letter case
// ignored). Returns false with a message in `error` for another extension or a file that cannot
// be written; nothing is left behind then.
bool SavePlot(const DisplayList& plot, int boxWidth, int boxHeight, const QString& path, QString* error);

} // namespace yarrow
