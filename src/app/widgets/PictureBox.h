#pragma once

#include "core/draw/DisplayList.h"
#include "core/draw/PlotText.h"

#include <QWidget>

namespace yarrow {

// A picture box: a Canvas that keeps what was drawn as a display list and paints from it, so
// exposes, resizes and display-size changes repaint without recomputing anything. Its accessible
// name says in words what is drawn, and follows the picture.
class PictureBox : public QWidget, public Canvas {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void SetUserScale(float left, float top, float right, float bottom) override;
    void SetPoint(float x, float y) override;
    void DrawSegment(float x1, float y1, float x2, float y2) override;
    void SetForeColor(int16_t colour) override;
    void SetDrawWidth(int16_t width) override;
    void SetDrawStyle(int16_t style) override;
    void Clear() override;
    void SetLayer(const std::string& layer, const std::string& legend) override;

    DisplayList& Plot() { return plot_; }
    const DisplayList& Plot() const { return plot_; }

    // What the numbers mean (units, compounding, bonds) for the spoken description and the table.
    void SetSubject(const PlotSubject& subject);
    const PlotSubject& Subject() const { return subject_; }
    // Sets the accessible name to the picture's description now if it changed (a screen reader
    // hears NameChanged); otherwise this happens once after each burst of drawing.
    void UpdateDescription();

signals:
    // The user point under the mouse pointer, in the current scale (x years, y a rate).
    void PointerAt(double x, double y);
    void PointerLeft();
    // Something was drawn or cleared (emitted per segment: coalesce in the receiver).
    void Drawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Changed();

    DisplayList plot_;
    PlotSubject subject_;
    bool describing_ = false; // an update is queued

};

} // namespace yarrow
