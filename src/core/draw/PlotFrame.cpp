#include "core/draw/PlotFrame.h"

namespace yarrow {

PlotFrame PlotFrame::ForBox(int boxWidth, int boxHeight) {
    PlotFrame f;
    f.boxWidth = boxWidth;
    f.boxHeight = boxHeight;
    f.width = kLeftMargin + boxWidth + kEdge;
    f.height = kEdge + boxHeight + kBottomMargin;
    return f;
}

PlotFrame::Anchor PlotFrame::LabelAnchor(int i) const {
    const int gap = 4;
    switch (i) {
    case 0: // top: beside the box's top edge
        return {boxX - gap, boxY + kFontPixels, true};
    case 1: // bottom: beside the box's bottom edge
        return {boxX - gap, boxY + boxHeight, true};
    case 2: // left: under the box's left edge
        return {boxX, boxY + boxHeight + gap + kFontPixels, false};
    default: // right: under the box's right edge
        return {boxX + boxWidth, boxY + boxHeight + gap + kFontPixels, true};
    }
}

} // namespace yarrow
