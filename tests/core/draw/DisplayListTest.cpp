#include "core/draw/DisplayList.h"

#include "core/draw/PlotSvg.h"
#include "core/draw/qalDraw.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace yarrow {
namespace {

Array1<float> From1(const std::vector<float>& v) {
    Array1<float> a(static_cast<int>(v.size()));
    for (size_t i = 0; i < v.size(); ++i)
        a(static_cast<int>(i + 1)) = v[i];
    return a;
}

struct Picture {
    DisplayList list;
    qalDraw draw;
    Picture() {
        draw.Initialize();
        draw.InitializePictureBox(list);
        for (int16_t i = 0; i < 4; ++i)
            draw.InitializeTextBox(list.BoundSink(i), i);
    }
    void Curve(const char* layer, int16_t colour, const std::vector<float>& x, const std::vector<float>& y,
               bool autoScale) {
        list.SetForeColor(colour);
        list.SetLayer(layer, {});
        draw.DrawLine(From1(x), From1(y), static_cast<int32_t>(x.size()) + 1, autoScale, 1);
    }
};

// A curve is one line of its points (the zero-length first segment adds none); drawing the same
// curve again adds nothing, a different one is kept; Clear empties the picture but keeps the
// scale and the labels.
TEST(DisplayList, CurvesBecomeLinesAndRepeatsAreDropped) {
    Picture p;
    p.list.SetDrawWidth(2);
    p.Curve("zero", 12, {1, 2, 3}, {2, 3, 5}, true);
    p.Curve("zero", 12, {1, 2, 3}, {2, 3, 5}, true);
    p.Curve("ns", 10, {1, 2, 3}, {2.5f, 3, 4}, false);
    ASSERT_EQ(p.list.Lines().size(), 2u);
    const DisplayList::Line& zero = p.list.Lines()[0];
    EXPECT_EQ(zero.layer, "zero");
    EXPECT_EQ(zero.colour, 12);
    EXPECT_EQ(zero.width, 2);
    ASSERT_EQ(zero.points.size(), 3u);
    EXPECT_EQ(zero.points[2], (DisplayList::Point{3, 5}));
    EXPECT_EQ(p.list.Lines()[1].layer, "ns");
    const DisplayList::Scale scale = p.list.UserScale();
    EXPECT_FLOAT_EQ(scale.left, 0.95f);
    EXPECT_FLOAT_EQ(scale.top, 5.05f);
    EXPECT_FLOAT_EQ(scale.right, 3.15f);
    EXPECT_FLOAT_EQ(scale.bottom, 1.98f);
    EXPECT_EQ(p.list.BoundText(0), "5.05");
    EXPECT_EQ(p.list.BoundText(3), "3.1500");

    p.list.Clear();
    EXPECT_TRUE(p.list.Lines().empty());
    EXPECT_EQ(p.list.UserScale(), scale);
    EXPECT_EQ(p.list.BoundText(1), "1.98");
    // After a clear the same curve is new again.
    p.Curve("zero", 12, {1, 2, 3}, {2, 3, 5}, true);
    EXPECT_EQ(p.list.Lines().size(), 1u);
}

TEST(DisplayList, PictureCoordinatesFollowTheLastScale) {
    DisplayList list;
    list.SetUserScale(0, 0.05f, 10, 0.01f); // y grows upward
    const struct {
        DisplayList::Point user, picture;
    } cases[] = {{{0, 0.05f}, {0, 0}},
                 {{10, 0.01f}, {400, 300}},
                 {{5, 0.03f}, {200, 150}},
                 {{-999, 0.05f}, {-39960, 0}}};
    for (const auto& c : cases) {
        const DisplayList::Point q = list.ToPicture(c.user, 400, 300);
        EXPECT_NEAR(q.x, c.picture.x, 1e-3) << c.user.x;
        EXPECT_NEAR(q.y, c.picture.y, 1e-3) << c.user.y;
        const DisplayList::Point back = list.FromPicture(q, 400, 300);
        EXPECT_NEAR(back.x, c.user.x, 1e-4);
        EXPECT_NEAR(back.y, c.user.y, 1e-6);
    }
}

// One polyline per line with its layer and colour, labels escaped under their ids, and a point no
// number can name written as 0 so the document stays valid.
TEST(PlotSvg, PolylinesLabelsAndUnplottablePoints) {
    DisplayList list;
    list.SetUserScale(0, 1, 2, 0);
    list.SetForeColor(13);
    list.SetLayer("spline", "12/31/2010");
    list.SetPoint(0, 0);
    list.DrawSegment(0, 0, 2, 1);
    list.SetForeColor(11);
    list.SetLayer("forward", {});
    list.SetPoint(1, std::numeric_limits<float>::infinity());
    list.DrawSegment(1, std::numeric_limits<float>::infinity(), 2, 0.5f);
    list.SetBoundText(0, "<1&2>");
    const std::string svg = PlotSvg(list, 200, 100);
    EXPECT_NE(svg.find(R"(<polyline class="spline" fill="none" stroke="#ff00ff")"), std::string::npos);
    EXPECT_NE(svg.find(R"(data-legend="12/31/2010" points="0,100 200,0")"), std::string::npos);
    EXPECT_NE(svg.find(R"(<polyline class="forward" fill="none" stroke="#00ffff")"), std::string::npos);
    EXPECT_NE(svg.find(R"(points="100,0 200,50")"), std::string::npos);
    EXPECT_NE(svg.find(R"(<text id="bound-top")"), std::string::npos);
    EXPECT_NE(svg.find(">&lt;1&amp;2&gt;</text>"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    EXPECT_EQ(PaletteHex(12), "#ff0000");
}

} // namespace
} // namespace yarrow
