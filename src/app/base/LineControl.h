#pragma once

#include <QColor>
#include <QWidget>

namespace yarrow {

// A line drawn between two points given in twips of the parent. It has no font and no size of
// its own: the widget just covers the segment so it can paint it.
class LineControl : public QWidget {
    Q_OBJECT
public:
    explicit LineControl(QWidget* parent = nullptr);

    float X1() const { return x1_; }
    float Y1() const { return y1_; }
    float X2() const { return x2_; }
    float Y2() const { return y2_; }
    void SetX1(float v);
    void SetY1(float v);
    void SetX2(float v);
    void SetY2(float v);
    void SetPoints(float x1, float y1, float x2, float y2);

    void SetLineColor(const QColor& c);
    QColor LineColor() const { return color_; }
    int LineThickness() const { return thickness_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Reposition();

    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    QColor color_{128, 128, 128};
    int thickness_ = 1;
};

} // namespace yarrow
