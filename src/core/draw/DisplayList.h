#pragma once

#include "core/seams/Canvas.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace yarrow {

// A plot kept as a list of polylines in user coordinates, so it can be painted again at any size
// without recomputing. Every line is shown on the scale of the last SetUserScale: the bound
// labels then describe every curve in the picture, not only the last one plotted.
//
// Lines carry the layer they belong to ("ytm", "zero", ...) and a legend text, so a plot can be
// kept and labelled while the next one is drawn over it. Drawing a line identical to one already
// in the picture (same points, colour and width, as when a curve is replotted before a model is
// drawn on it) adds nothing.
class DisplayList : public Canvas {
public:
    struct Point {
        float x = 0;
        float y = 0;
        bool operator==(const Point&) const = default;
    };
    struct Line {
        std::string layer;
        std::string legend;
        int16_t colour = 0; // palette index
        int16_t width = 1;  // pixels
        std::vector<Point> points;
        int16_t style = 0; // dash pattern, as Canvas::SetDrawStyle
    };
    struct Scale {
        float left = 0, top = 0, right = 1, bottom = 1;
        bool operator==(const Scale&) const = default;
    };
    enum Bound { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };

    void SetUserScale(float left, float top, float right, float bottom) override;
    void SetPoint(float x, float y) override;
    void DrawSegment(float x1, float y1, float x2, float y2) override;
    void SetForeColor(int16_t colour) override;
    void SetDrawWidth(int16_t width) override;
    void SetDrawStyle(int16_t style) override;
    void Clear() override;

    // The layer and legend given to the lines drawn from now on.
    void SetLayer(const std::string& layer, const std::string& legend) override;

    // Gives every line drawn so far without a legend this one.
    void LabelUnlabelled(const std::string& legend);

    // One entry per distinct legend text, in drawing order, in the colour of its first line.
    struct LegendEntry {
        std::string text;
        int16_t colour = 0;
        int16_t style = 0;
        bool operator==(const LegendEntry&) const = default;
    };
    std::vector<LegendEntry> Legend() const;

    const std::vector<Line>& Lines() const;
    const Scale& UserScale() const { return scale_; }
    int16_t ForeColor() const { return colour_; }
    int16_t DrawWidth() const { return width_; }

    // The bound labels as the plot wrote them (0 top, 1 bottom, 2 left, 3 right).
    const std::string& BoundText(int i) const { return bounds_.at(static_cast<size_t>(i)); }
    void SetBoundText(int i, std::string text) { bounds_.at(static_cast<size_t>(i)) = std::move(text); }
    // A text box that records into bound label i, for qalDraw.
    TextSink& BoundSink(int i) { return sinks_.at(static_cast<size_t>(i)); }

    // Position of a user point in a picture of the given size (origin top-left, y down).
    Point ToPicture(Point p, double width, double height) const;
    // The user point under a picture position.
    Point FromPicture(Point p, double width, double height) const;

private:
    class BoundSinkImpl : public TextSink {
    public:
        BoundSinkImpl(DisplayList& owner, int i) : owner_(owner), i_(i) {}
        void SetText(const std::string& text) override { owner_.SetBoundText(i_, text); }

    private:
        DisplayList& owner_;
        int i_;
    };
    // Drops the last line when it repeats one drawn before it.
    void Settle() const;

    mutable std::vector<Line> lines_;
    mutable bool settled_ = true;
    Scale scale_;
    int16_t colour_ = 0;
    int16_t width_ = 1;
    int16_t style_ = 0;
    std::string layer_;
    std::string legend_;
    Point current_;
    mutable bool open_ = false; // the last line may still grow
    std::array<std::string, 4> bounds_;
    std::array<BoundSinkImpl, 4> sinks_{BoundSinkImpl(*this, 0), BoundSinkImpl(*this, 1),
                                        BoundSinkImpl(*this, 2), BoundSinkImpl(*this, 3)};
};

} // namespace yarrow
