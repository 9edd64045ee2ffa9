#include "core/draw/Contrast.h"

#include "core/draw/ChartRender.h"
#include "core/seams/Canvas.h"

#include <gtest/gtest.h>

namespace yarrow {
namespace {

TEST(Contrast, RatioFollowsTheGuidelines) {
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xffffff), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x123456, 0x123456), 1.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0xffffff, 0x000000), ContrastRatio(0x000000, 0xffffff));
    // The usual limit cases: #767676 on white just passes 4.5, #777777 just fails.
    EXPECT_GT(ContrastRatio(0x767676, 0xffffff), 4.5);
    EXPECT_LT(ContrastRatio(0x777777, 0xffffff), 4.5);
    EXPECT_EQ(Blend(0xffffff, 0x000000, 160 / 255.0), 0xa0a0a0u);
}

TEST(Contrast, TextOfThePicturesAndTheDarkPaletteIsReadable) {
    using P = DarkPalette;
    // The legend's black text sits on a white veil (alpha 160) over whatever line runs under it.
    double legend = 21;
    for (uint32_t line : kPalette16)
        legend = std::min(legend, ContrastRatio(0x000000, Blend(0xffffff, line, 160 / 255.0)));
    struct Case {
        const char* what;
        uint32_t text, ground;
    } cases[] = {
        {"chart, light", ChartTheme::Light().text, ChartTheme::Light().background},
        {"chart, dark", ChartTheme::Dark().text, ChartTheme::Dark().background},
        {"chart in the dark palette (text on base)", P::kText, P::kBase},
        {"grid heading cells (text on button)", P::kText, P::kButton},
        {"labels", P::kWindowText, P::kWindow},
        {"buttons", P::kButtonText, P::kButton},
        {"selection", P::kHighlightedText, P::kHighlight},
        {"placeholder", P::kPlaceholderText, P::kBase},
        {"tooltip", P::kToolTipText, P::kToolTipBase},
        {"link", P::kLink, P::kBase},
        {"alternate rows", P::kText, P::kAlternateBase},
    };
    for (const Case& c : cases)
        EXPECT_GE(ContrastRatio(c.text, c.ground), 4.5) << c.what;
    EXPECT_GE(legend, 4.5);
}

} // namespace
} // namespace yarrow
