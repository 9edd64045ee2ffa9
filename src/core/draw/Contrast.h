#pragma once

#include <array>
#include <cstdint>

namespace yarrow {

// Relative luminance of an sRGB colour 0xRRGGBB (0 black to 1 white), as the accessibility
// guidelines define it.
double RelativeLuminance(uint32_t rgb);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white. Body text needs
// 4.5, lines and other graphics 3.
double ContrastRatio(uint32_t a, uint32_t b);
// `over` painted at `alpha` (0..1) on `under`.
uint32_t Blend(uint32_t over, uint32_t under, double alpha);

// The dark palette the screenshots show the program in (and a model of a dark desktop theme):
// the colour of each role as 0xRRGGBB.
struct DarkPalette {
    static constexpr uint32_t kWindow = 0x2b2b2b;
    static constexpr uint32_t kWindowText = 0xe8e8e8;
    static constexpr uint32_t kBase = 0x1e1e1e;
    static constexpr uint32_t kAlternateBase = 0x262626;
    static constexpr uint32_t kText = 0xe8e8e8;
    static constexpr uint32_t kButton = 0x3a3a3a;
    static constexpr uint32_t kButtonText = 0xf0f0f0;
    static constexpr uint32_t kHighlight = 0x2f65ca;
    static constexpr uint32_t kHighlightedText = 0xffffff;
    static constexpr uint32_t kPlaceholderText = 0xa8a8a8;
    static constexpr uint32_t kDisabledText = 0x9a9a9a;
    static constexpr uint32_t kLink = 0x8ab4f8;
    static constexpr uint32_t kToolTipBase = 0x3a3a3a;
    static constexpr uint32_t kToolTipText = 0xf0f0f0;
};

} // namespace yarrow
