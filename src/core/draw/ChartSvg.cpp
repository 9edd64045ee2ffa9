#include "core/draw/ChartRender.h"

#include "core/draw/SvgText.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace yarrow {

namespace {

std::string C(double v) {
    return SvgNumber(v, 2);
}

std::string Hex(uint32_t rgb) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
    return buf;
}

class SvgChartPainter : public ChartPainter {
public:
    explicit SvgChartPainter(std::ostringstream& o) : o_(o) {}

    void FillRect(double x, double y, double w, double h, uint32_t rgb, double opacity, const std::string& cssClass,
                  const Attributes& attributes) override {
        o_ << "<rect";
        if (!cssClass.empty())
            o_ << " class=\"" << SvgEscaped(cssClass) << '"';
        o_ << " x=\"" << C(x) << "\" y=\"" << C(y) << "\" width=\"" << C(w) << "\" height=\"" << C(h) << "\" fill=\""
           << Hex(rgb) << '"';
        if (opacity < 1)
            o_ << " fill-opacity=\"" << C(opacity) << '"';
        for (const auto& [name, value] : attributes)
            o_ << ' ' << name << "=\"" << SvgEscaped(value) << '"';
        o_ << "/>\n";
    }

    void Polyline(const std::vector<ChartPoint>& points, uint32_t rgb, double width, ChartLineStyle style,
                  double opacity, const std::string& cssClass, const std::string& legend) override {
        o_ << "<polyline";
        if (!cssClass.empty())
            o_ << " class=\"" << SvgEscaped(cssClass) << '"';
        o_ << " fill=\"none\" stroke=\"" << Hex(rgb) << "\" stroke-width=\"" << C(width)
           << "\" stroke-linejoin=\"round\" stroke-linecap=\"round\"";
        switch (style) {
        case ChartLineStyle::kSolid:
            break;
        case ChartLineStyle::kDash:
            o_ << " stroke-dasharray=\"" << C(4 * width) << ' ' << C(3 * width) << '"';
            break;
        case ChartLineStyle::kDot:
            o_ << " stroke-dasharray=\"" << C(0.5 * width) << ' ' << C(2 * width) << '"';
            break;
        case ChartLineStyle::kDashDot:
            o_ << " stroke-dasharray=\"" << C(4 * width) << ' ' << C(2 * width) << ' ' << C(0.5 * width) << ' '
               << C(2 * width) << '"';
            break;
        }
        if (opacity < 1)
            o_ << " stroke-opacity=\"" << C(opacity) << '"';
        if (!legend.empty())
            o_ << " data-legend=\"" << SvgEscaped(legend) << '"';
        o_ << " points=\"";
        for (size_t i = 0; i < points.size(); ++i)
            o_ << (i ? " " : "") << C(points[i].x) << ',' << C(points[i].y);
        o_ << "\"/>\n";
    }

    void Text(double x, double y, const std::string& text, double pixels, Align align, bool vertical, uint32_t rgb,
              const std::string& id) override {
        static const char* const kAnchor[] = {"start", "middle", "end"};
        o_ << "<text";
        if (!id.empty())
            o_ << " id=\"" << id << '"';
        o_ << " x=\"" << C(x) << "\" y=\"" << C(y) << "\" font-family=\"sans-serif\" font-size=\"" << C(pixels)
           << "\" fill=\"" << Hex(rgb) << "\" text-anchor=\"" << kAnchor[static_cast<int>(align)] << '"';
        if (vertical)
            o_ << " transform=\"rotate(-90 " << C(x) << ' ' << C(y) << ")\"";
        o_ << '>' << SvgEscaped(text) << "</text>\n";
    }

    // Never called: an SVG takes the heat map cell by cell (WantsCells).
    void Image(double, double, double, double, const std::vector<uint32_t>&, int, int) override {}

    void Clip(double x, double y, double w, double h) override {
        ++clips_;
        o_ << "<clipPath id=\"clip" << clips_ << "\"><rect x=\"" << C(x) << "\" y=\"" << C(y) << "\" width=\"" << C(w)
           << "\" height=\"" << C(h) << "\"/></clipPath>\n<g id=\"plot\" clip-path=\"url(#clip" << clips_ << ")\">\n";
    }
    void Unclip() override { o_ << "</g>\n"; }
    bool WantsCells() const override { return true; }

private:
    std::ostringstream& o_;
    int clips_ = 0;
};

} // namespace

std::string ChartSvg(const Chart& chart, int width, int height) {
    std::ostringstream o;
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << ' ' << height << "\">\n";
    SvgChartPainter painter(o);
    RenderChart(chart, painter, width, height, ChartTheme::Light());
    o << "</svg>\n";
    return o.str();
}

} // namespace yarrow
