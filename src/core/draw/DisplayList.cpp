#include "core/draw/DisplayList.h"

#include <algorithm>

namespace yarrow {

namespace {
bool SameLine(const DisplayList::Line& a, const DisplayList::Line& b) {
    return a.layer == b.layer && a.legend == b.legend && a.colour == b.colour && a.width == b.width &&
           a.style == b.style && a.points == b.points;
}
} // namespace

void DisplayList::SetUserScale(float left, float top, float right, float bottom) {
    scale_ = {left, top, right, bottom};
}

void DisplayList::SetPoint(float x, float y) {
    Settle();
    lines_.push_back({layer_, legend_, colour_, width_, {{x, y}}, style_});
    current_ = {x, y};
    open_ = true;
    settled_ = false;
}

void DisplayList::DrawSegment(float x1, float y1, float x2, float y2) {
    const Point from{x1, y1};
    const Point to{x2, y2};
    const bool continues = open_ && from == current_ && !lines_.empty() && lines_.back().colour == colour_ &&
                           lines_.back().width == width_ && lines_.back().style == style_;
    if (!continues) {
        Settle();
        lines_.push_back({layer_, legend_, colour_, width_, {from}, style_});
    }
    // A segment back to the point just drawn (the first of every curve) adds no point.
    if (!(to == lines_.back().points.back()))
        lines_.back().points.push_back(to);
    current_ = to;
    open_ = true;
    settled_ = false;
}

void DisplayList::SetForeColor(int16_t colour) {
    colour_ = colour;
}

void DisplayList::SetDrawWidth(int16_t width) {
    width_ = width;
}

void DisplayList::SetDrawStyle(int16_t style) {
    style_ = style;
}

void DisplayList::Clear() {
    lines_.clear();
    settled_ = true;
    open_ = false;
    current_ = {scale_.left, scale_.top};
}

void DisplayList::SetLayer(const std::string& layer, const std::string& legend) {
    layer_ = layer;
    legend_ = legend;
}

void DisplayList::LabelUnlabelled(const std::string& legend) {
    Settle();
    for (Line& line : lines_)
        if (line.legend.empty())
            line.legend = legend;
    // A line still growing would otherwise keep the new legend only by accident.
    open_ = false;
}

std::vector<DisplayList::LegendEntry> DisplayList::Legend() const {
    std::vector<LegendEntry> entries;
    for (const Line& line : Lines()) {
        if (line.legend.empty())
            continue;
        const bool seen = std::any_of(entries.begin(), entries.end(),
                                      [&](const LegendEntry& e) { return e.text == line.legend; });
        if (!seen)
            entries.push_back({line.legend, line.colour, line.style});
    }
    return entries;
}

const std::vector<DisplayList::Line>& DisplayList::Lines() const {
    Settle();
    return lines_;
}

void DisplayList::Settle() const {
    if (settled_)
        return;
    settled_ = true;
    if (lines_.size() < 2)
        return;
    const Line& last = lines_.back();
    const bool repeated = std::any_of(lines_.begin(), lines_.end() - 1,
                                      [&](const Line& earlier) { return SameLine(earlier, last); });
    if (repeated) {
        lines_.pop_back();
        open_ = false;
    }
}

DisplayList::Point DisplayList::ToPicture(Point p, double width, double height) const {
    const double sx = double(scale_.right) - scale_.left;
    const double sy = double(scale_.bottom) - scale_.top;
    return {float((double(p.x) - scale_.left) / sx * width), float((double(p.y) - scale_.top) / sy * height)};
}

DisplayList::Point DisplayList::FromPicture(Point p, double width, double height) const {
    const double sx = double(scale_.right) - scale_.left;
    const double sy = double(scale_.bottom) - scale_.top;
    return {float(scale_.left + p.x / width * sx), float(scale_.top + p.y / height * sy)};
}

} // namespace yarrow
