#pragma once

#include <string>

namespace yarrow {

class DisplayList;

// The plot as an SVG document: the picture box is a nested <svg> at the frame's box position with
// its own width and height, one <polyline> per line (class = its layer, stroke = its palette
// colour as #rrggbb, points in box pixels, origin top-left), clipped to the box, and the box's user
// scale in full as data-scale="left top right bottom"; the bound labels
// are <text> elements with ids bound-top, bound-bottom, bound-left and bound-right.
std::string PlotSvg(const DisplayList& plot, int boxWidth, int boxHeight);

// "#rrggbb" of a palette index (out-of-range indices wrap into 0..15).
std::string PaletteHex(int index);

} // namespace yarrow
