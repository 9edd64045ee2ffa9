#pragma once

#include <string>
#include <vector>

namespace yarrow {

// Where an exported plot puts the picture box and its four bound labels: the box with a margin on
// the left for the top and bottom labels and one underneath for the left and right labels, as the
// panel shows them. Pixels, origin top-left. The SVG and the PNG writers share it.
struct PlotFrame {
    static constexpr int kLeftMargin = 64;
    static constexpr int kBottomMargin = 24;
    static constexpr int kEdge = 8;
    static constexpr int kFontPixels = 12;

    int boxX = kLeftMargin;
    int boxY = kEdge;
    int boxWidth = 0;
    int boxHeight = 0;
    int width = 0; // the whole picture
    int height = 0;

    static PlotFrame ForBox(int boxWidth, int boxHeight);

    // Text anchor of bound label i (0 top, 1 bottom, 2 left, 3 right): baseline position and
    // whether the text ends (true) or starts (false) there.
    struct Anchor {
        int x = 0;
        int y = 0;
        bool alignEnd = false;
    };
    Anchor LabelAnchor(int i) const;

    // The legend of a comparison, in the top-left corner inside the picture box, relative to the
    // box: one row per entry, a short stroke in the entry's colour and its text after it.
    static constexpr int kLegendInset = 6;
    static constexpr int kLegendRow = 16;
    static constexpr int kLegendStroke = 18;
    static constexpr int kLegendGap = 6;
    // Baseline of legend row i, and the height of the stroke above it.
    static int LegendBaseline(int i) { return kLegendInset + (i + 1) * kLegendRow - 4; }
    static constexpr int kLegendStrokeRise = 4;

    // Dash and gap lengths of a line style (Canvas::SetDrawStyle) in multiples of the line's width;
    // empty for a solid line.
    static std::vector<double> DashPattern(int style) {
        switch (style) {
        case 1:
            return {4, 2};
        case 2:
            return {1, 2};
        case 3:
            return {4, 2, 1, 2};
        default:
            return {};
        }
    }
};

} // namespace yarrow
