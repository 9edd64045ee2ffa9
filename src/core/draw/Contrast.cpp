#include "core/draw/Contrast.h"

#include <algorithm>
#include <cmath>

namespace yarrow {

namespace {

double Channel(uint32_t rgb, int shift) {
    const double c = ((rgb >> shift) & 0xff) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(uint32_t rgb) {
    return 0.2126 * Channel(rgb, 16) + 0.7152 * Channel(rgb, 8) + 0.0722 * Channel(rgb, 0);
}

double ContrastRatio(uint32_t a, uint32_t b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

uint32_t Blend(uint32_t over, uint32_t under, double alpha) {
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const double o = (over >> shift) & 0xff, u = (under >> shift) & 0xff;
        out |= static_cast<uint32_t>(std::lround(o * alpha + u * (1 - alpha))) << shift;
    }
    return out;
}

} // namespace yarrow
