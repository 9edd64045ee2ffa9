#include "shell/YarrowIcon.h"

#include <QPainter>

namespace yarrow {

QPixmap YarrowPicture(int size) {
    // A yarrow head: a flat cluster of small white florets on a green stem.
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 120, 50), size / 12.0));
    p.drawLine(QPointF(size * 0.5, size * 0.45), QPointF(size * 0.5, size * 0.98));
    p.setPen(QPen(QColor(150, 150, 150), 0.6));
    p.setBrush(QColor(250, 250, 245));
    const double r = size * 0.11;
    const QPointF florets[] = {{0.5, 0.22}, {0.3, 0.3},  {0.7, 0.3},  {0.2, 0.45},  {0.4, 0.42},
                               {0.6, 0.42}, {0.8, 0.45}, {0.5, 0.08}, {0.33, 0.14}, {0.67, 0.14}};
    for (const QPointF& f : florets)
        p.drawEllipse(QPointF(f.x() * size, f.y() * size), r, r);
    return pm;
}

QPixmap BadgePicture(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 74, 135));
    p.drawRoundedRect(QRectF(0, 0, width, height), 4, 4);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(height * 6 / 10);
    p.setFont(f);
    p.drawText(QRect(0, 0, width, height), Qt::AlignCenter, "QAL Yarrow");
    return pm;
}

} // namespace yarrow
