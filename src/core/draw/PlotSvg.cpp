#include "core/draw/PlotSvg.h"

#include "core/draw/DisplayList.h"
#include "core/draw/PlotFrame.h"
#include "core/draw/SvgText.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace yarrow {

namespace {

// The stroke-dasharray of a dashed line, in pixels, as the PNG painter dashes it.
std::string DashAttribute(int style, int width) {
    const std::vector<double> dashes = PlotFrame::DashPattern(style);
    if (dashes.empty())
        return {};
    std::string text = " stroke-dasharray=\"";
    for (size_t i = 0; i < dashes.size(); ++i)
        text.append(i ? " " : "").append(std::to_string(static_cast<int>(dashes[i] * width)));
    return text.append("\"");
}

std::string Coord(double v) {
    return SvgNumber(v, 3);
}

// A single-precision value in full.
std::string Exact(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", double(v));
    return buf;
}

} // namespace

std::string PaletteHex(int index) {
    const uint32_t rgb = kPalette16[static_cast<size_t>(((index % 16) + 16) % 16)];
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06x", static_cast<unsigned>(rgb));
    return buf;
}

std::string PlotSvg(const DisplayList& plot, int boxWidth, int boxHeight) {
    const PlotFrame f = PlotFrame::ForBox(boxWidth, boxHeight);
    std::ostringstream o;
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << f.width << "\" height=\"" << f.height
      << "\" viewBox=\"0 0 " << f.width << ' ' << f.height << "\">\n"
      << "<rect width=\"" << f.width << "\" height=\"" << f.height << "\" fill=\"#ffffff\"/>\n"
      << "<svg id=\"picture\" x=\"" << f.boxX << "\" y=\"" << f.boxY << "\" width=\"" << boxWidth
      << "\" height=\"" << boxHeight << "\" overflow=\"hidden\" data-scale=\"" << Exact(plot.UserScale().left)
      << ' ' << Exact(plot.UserScale().top) << ' ' << Exact(plot.UserScale().right) << ' '
      << Exact(plot.UserScale().bottom) << "\">\n"
      << "<rect width=\"" << boxWidth << "\" height=\"" << boxHeight
      << "\" fill=\"#ffffff\" stroke=\"#808080\" stroke-width=\"1\"/>\n";
    for (const DisplayList::Line& line : plot.Lines()) {
        o << "<polyline class=\"" << SvgEscaped(line.layer) << "\" fill=\"none\" stroke=\""
          << PaletteHex(line.colour) << "\" stroke-width=\"" << line.width
          << "\" stroke-linejoin=\"round\" stroke-linecap=\"round\"" << DashAttribute(line.style, line.width);
        if (!line.legend.empty())
            o << " data-legend=\"" << SvgEscaped(line.legend) << '"';
        o << " points=\"";
        bool first = true;
        for (const DisplayList::Point& p : line.points) {
            const DisplayList::Point q = plot.ToPicture(p, boxWidth, boxHeight);
            o << (first ? "" : " ") << Coord(q.x) << ',' << Coord(q.y);
            first = false;
        }
        o << "\"/>\n";
    }
    const std::vector<DisplayList::LegendEntry> legend = plot.Legend();
    if (!legend.empty()) {
        const int x0 = PlotFrame::kLegendInset;
        o << "<g id=\"legend\" font-family=\"sans-serif\" font-size=\"" << PlotFrame::kFontPixels << "\">\n";
        for (size_t i = 0; i < legend.size(); ++i) {
            const int base = PlotFrame::LegendBaseline(static_cast<int>(i));
            const int rise = base - PlotFrame::kLegendStrokeRise;
            o << "<line x1=\"" << x0 << "\" y1=\"" << rise << "\" x2=\"" << x0 + PlotFrame::kLegendStroke
              << "\" y2=\"" << rise << "\" stroke=\"" << PaletteHex(legend[i].colour)
              << "\" stroke-width=\"2\"" << DashAttribute(legend[i].style, 2) << "/>\n"
              << "<text x=\"" << x0 + PlotFrame::kLegendStroke + PlotFrame::kLegendGap << "\" y=\"" << base
              << "\">" << SvgEscaped(legend[i].text) << "</text>\n";
        }
        o << "</g>\n";
    }
    o << "</svg>\n";
    static const char* const kIds[] = {"bound-top", "bound-bottom", "bound-left", "bound-right"};
    for (int i = 0; i < 4; ++i) {
        const PlotFrame::Anchor a = f.LabelAnchor(i);
        o << "<text id=\"" << kIds[i] << "\" x=\"" << a.x << "\" y=\"" << a.y
          << "\" font-family=\"sans-serif\" "
          << "font-size=\"" << PlotFrame::kFontPixels << "\" text-anchor=\"" << (a.alignEnd ? "end" : "start")
          << "\">" << SvgEscaped(plot.BoundText(i)) << "</text>\n";
    }
    o << "</svg>\n";
    return o.str();
}

} // namespace yarrow
