#include "core/draw/qalDraw.h"

#include "core/text/RuntimeError.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

using test::RecordingCanvas;
using test::RecordingTextBox;
using Op = RecordingCanvas::Op;

struct RecordingDialogs : Dialogs {
    std::vector<std::string> messages;
    void Message(const std::string& text, const std::string& title, MessageIcon icon) override {
        EXPECT_EQ(title, "Vantorix");
        EXPECT_EQ(icon, MessageIcon::Critical);
        messages.push_back(text);
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

struct Plot {
    RecordingDialogs dialogs;
    RecordingCanvas canvas;
    RecordingTextBox labels[4];
    qalDraw draw{&dialogs};

    Plot() {
        draw.Initialize();
        draw.InitializePictureBox(canvas);
        for (int16_t i = 0; i < 4; ++i)
            draw.InitializeTextBox(labels[i], i);
    }
    std::vector<std::string> Labels() const {
        return {labels[0].text(), labels[1].text(), labels[2].text(), labels[3].text()};
    }
};

// Points as arrays from index 1.
Array1<float> From1(const std::vector<float>& v) {
    Array1<float> a(static_cast<int>(v.size()));
    for (size_t i = 0; i < v.size(); ++i)
        a(static_cast<int>(i + 1)) = v[i];
    return a;
}

void ExpectSegment(const RecordingCanvas::Item& s, float x1, float y1, float x2, float y2) {
    EXPECT_FLOAT_EQ(s.x1, x1);
    EXPECT_FLOAT_EQ(s.y1, y1);
    EXPECT_FLOAT_EQ(s.x2, x2);
    EXPECT_FLOAT_EQ(s.y2, y2);
}

TEST(DrawLine, AutoScaledThreePoints) {
    Plot p;
    p.draw.DrawLine(From1({1, 2, 3}), From1({2, 3, 5}), 4, true, 1);
    EXPECT_EQ(p.Labels(), (std::vector<std::string>{"5.05", "1.98", "0.9500", "3.1500"}));

    const auto scale = p.canvas.Of(Op::UserScale);
    ASSERT_EQ(scale.size(), 1u);
    EXPECT_FLOAT_EQ(scale[0].x1, 0.95f); // left
    EXPECT_FLOAT_EQ(scale[0].y1, 5.05f); // top
    EXPECT_FLOAT_EQ(scale[0].x2, 3.15f); // right
    EXPECT_FLOAT_EQ(scale[0].y2, 1.98f); // bottom

    // The scale comes first, then the starting point, then the polyline; the first segment
    // joins point 1 to itself.
    ASSERT_EQ(p.canvas.items.size(), 5u);
    EXPECT_EQ(p.canvas.items[0].op, Op::UserScale);
    EXPECT_EQ(p.canvas.items[1].op, Op::Point);
    const auto segs = p.canvas.Of(Op::Segment);
    ASSERT_EQ(segs.size(), 3u);
    ExpectSegment(segs[0], 1, 2, 1, 2);
    ExpectSegment(segs[1], 1, 2, 2, 3);
    ExpectSegment(segs[2], 2, 3, 3, 5);
    EXPECT_TRUE(p.dialogs.messages.empty());
}

TEST(DrawLine, WithoutAutoScaleKeepsScaleAndLabels) {
    Plot p;
    p.draw.DrawLine(From1({1, 2, 3}), From1({2, 3, 5}), 4, true, 1);
    p.draw.DrawLine(From1({10, 20}), From1({-1, -2}), 3, false, 1);
    EXPECT_EQ(p.canvas.Of(Op::UserScale).size(), 1u);
    EXPECT_EQ(p.labels[0].texts.size(), 1u);
    EXPECT_FLOAT_EQ(p.draw.extent(0), 5.05f);
    const auto segs = p.canvas.Of(Op::Segment);
    ASSERT_EQ(segs.size(), 5u);
    ExpectSegment(segs[4], 10, -1, 20, -2);
}

TEST(DrawLine, StartIndexLimitsTheExtentButNotTheDrawing) {
    Plot p;
    p.draw.DrawLine(From1({1, 2, 3, 4}), From1({100, 2, 3, 4}), 5, true, 2);
    EXPECT_EQ(p.Labels(), (std::vector<std::string>{"4.04", "1.98", "1.9000", "4.2000"}));
    EXPECT_EQ(p.canvas.Of(Op::Segment).size(), 4u);
    ExpectSegment(p.canvas.Of(Op::Segment)[1], 1, 100, 2, 2);
}

TEST(DrawLine, CountEqualToThePointsLeavesTheLastOut) {
    Plot p;
    p.draw.DrawLine(From1({1, 2, 3}), From1({2, 3, 50}), 3, true, 1);
    EXPECT_EQ(p.labels[0].text(), "3.03");
    EXPECT_EQ(p.labels[3].text(), "2.1000");
    const auto segs = p.canvas.Of(Op::Segment);
    ASSERT_EQ(segs.size(), 2u);
    ExpectSegment(segs[1], 1, 2, 2, 3);
}

TEST(DrawLine, CountOfOneOnlySetsTheStartingPoint) {
    Plot p;
    p.draw.DrawLine(From1({7}), From1({8}), 1, false, 1);
    ASSERT_EQ(p.canvas.items.size(), 1u);
    EXPECT_EQ(p.canvas.items[0].op, Op::Point);
    EXPECT_FLOAT_EQ(p.canvas.items[0].x1, 7);
    EXPECT_FLOAT_EQ(p.canvas.items[0].y1, 8);
}

struct ScaleCase {
    const char* name;
    std::vector<float> x, y;
    std::vector<std::string> labels;
    float top, bottom, left, right; // after SetScale
};

class Scaling : public testing::TestWithParam<ScaleCase> {};

TEST_P(Scaling, WidensAndLabels) {
    const auto& c = GetParam();
    Plot p;
    const auto n = static_cast<int32_t>(c.x.size());
    p.draw.DrawLine(From1(c.x), From1(c.y), n + 1, true, 1);
    EXPECT_EQ(p.Labels(), c.labels);
    EXPECT_FLOAT_EQ(p.draw.extent(0), c.top);
    EXPECT_FLOAT_EQ(p.draw.extent(1), c.bottom);
    EXPECT_FLOAT_EQ(p.draw.extent(2), c.left);
    EXPECT_FLOAT_EQ(p.draw.extent(3), c.right);
    const auto scale = p.canvas.Of(Op::UserScale);
    ASSERT_EQ(scale.size(), 1u);
    EXPECT_FLOAT_EQ(scale[0].y1, c.top);
    EXPECT_FLOAT_EQ(scale[0].x2, c.right);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Scaling,
    testing::Values(
        // Flat at zero: both bounds stay 0 (the labels say so) and SetScale opens top to 1.
        ScaleCase{"allZero", {1, 2}, {0, 0}, {"0.00", "0.00", "0.9500", "2.1000"}, 1, 0, 0.95f, 2.1f},
        // Negative values move away from the data in the same way.
        ScaleCase{"allMinusTwo",
                  {1, 2},
                  {-2, -2},
                  {"-1.98", "-2.02", "0.9500", "2.1000"},
                  -1.98f,
                  -2.02f,
                  0.95f,
                  2.1f},
        ScaleCase{"negativeX",
                  {-4, -1},
                  {1, 3},
                  {"3.03", "0.99", "-4.2000", "-0.9500"},
                  3.03f,
                  0.99f,
                  -4.2f,
                  -0.95f},
        // A single x: right = left + 1 after widening.
        ScaleCase{"oneX", {2, 2}, {1, 3}, {"3.03", "0.99", "1.9000", "2.1000"}, 3.03f, 0.99f, 1.9f, 2.1f},
        ScaleCase{"zeroX", {0, 0}, {1, 3}, {"3.03", "0.99", "0.0000", "0.0000"}, 3.03f, 0.99f, 0, 1},
        ScaleCase{"noGrouping",
                  {0.5f, 30},
                  {1000, 1250},
                  {"1262.50", "990.00", "0.4750", "31.5000"},
                  1262.5f,
                  990,
                  0.475f,
                  31.5f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawErrors, StartBeyondTheArraysIsReportedTwiceAndNothingDrawn) {
    Plot p;
    // CalcYScale reports its own error; CalcXScale's error goes to DrawLine's handler.
    p.draw.DrawLine(From1({1, 2}), From1({1, 2}), 3, true, 5);
    ASSERT_EQ(p.dialogs.messages.size(), 2u);
    for (const auto& m : p.dialogs.messages)
        EXPECT_NE(m.find("Subscript out of range"), std::string::npos) << m;
    EXPECT_TRUE(p.canvas.items.empty());
}

TEST(DrawErrors, OverflowInYScaleIsReportedAndDrawingGoesOn) {
    Plot p;
    p.draw.DrawLine(From1({1, 2}), From1({1, 3.4e38f}), 3, true, 1);
    ASSERT_EQ(p.dialogs.messages.size(), 1u);
    EXPECT_NE(p.dialogs.messages[0].find("Overflow"), std::string::npos);
    EXPECT_TRUE(p.labels[0].texts.empty());
    EXPECT_EQ(p.labels[3].text(), "2.1000");
    EXPECT_EQ(p.canvas.Of(Op::UserScale).size(), 1u);
    EXPECT_EQ(p.canvas.Of(Op::Segment).size(), 2u);
}

TEST(DrawErrors, CountBeyondTheArraysKeepsWhatWasDrawn) {
    Plot p;
    p.draw.DrawLine(From1({1, 2, 3}), From1({1, 2, 3}), 6, false, 1);
    EXPECT_EQ(p.canvas.Of(Op::Segment).size(), 3u);
    ASSERT_EQ(p.dialogs.messages.size(), 1u);
    EXPECT_NE(p.dialogs.messages[0].find("Subscript out of range"), std::string::npos);
}

TEST(DrawErrors, MissingPictureBoxIsReported) {
    RecordingDialogs dialogs;
    qalDraw draw(&dialogs);
    draw.DrawLine(From1({1, 2}), From1({1, 2}), 3, false, 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("Object variable"), std::string::npos);
}

TEST(DrawSetup, TextBoxIndexOutsideZeroToThree) {
    qalDraw draw;
    RecordingTextBox box;
    EXPECT_THROW(draw.InitializeTextBox(box, 4), RuntimeError);
    EXPECT_THROW(draw.InitializeTextBox(box, -1), RuntimeError);
}

TEST(DrawSetup, PictureBoxHandOverServicesEvents) {
    struct Counter : PendingEvents {
        int calls = 0;
        void Process() override { ++calls; }
    } counter;
    RecordingCanvas canvas;
    qalDraw draw(nullptr, &counter);
    draw.InitializePictureBox(canvas);
    EXPECT_EQ(counter.calls, 1);
}

} // namespace
} // namespace yarrow
