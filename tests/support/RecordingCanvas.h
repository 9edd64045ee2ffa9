#pragma once

#include "core/seams/Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace yarrow::test {

// A canvas that keeps every call as a display list, for tests to read back.
class RecordingCanvas : public Canvas {
public:
    enum class Op { UserScale, Point, Segment, ForeColor, DrawWidth, Clear };
    struct Item {
        Op op;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0; // UserScale: left, top, right, bottom
        int16_t value = 0;                    // ForeColor, DrawWidth
        int16_t colour = 0;                   // colour in force for Point and Segment
        int16_t width = 1;
    };

    void SetUserScale(float left, float top, float right, float bottom) override {
        items.push_back({Op::UserScale, left, top, right, bottom, 0, colour_, width_});
    }
    void SetPoint(float x, float y) override { items.push_back({Op::Point, x, y, x, y, 0, colour_, width_}); }
    void DrawSegment(float x1, float y1, float x2, float y2) override {
        items.push_back({Op::Segment, x1, y1, x2, y2, 0, colour_, width_});
    }
    void SetForeColor(int16_t colour) override {
        colour_ = colour;
        items.push_back({Op::ForeColor, 0, 0, 0, 0, colour, colour_, width_});
    }
    void SetDrawWidth(int16_t width) override {
        width_ = width;
        items.push_back({Op::DrawWidth, 0, 0, 0, 0, width, colour_, width_});
    }
    void Clear() override { items.push_back({Op::Clear, 0, 0, 0, 0, 0, colour_, width_}); }

    std::vector<Item> Of(Op op) const {
        std::vector<Item> out;
        for (const auto& item : items)
            if (item.op == op)
                out.push_back(item);
        return out;
    }

    std::vector<Item> items;

private:
    int16_t colour_ = 0;
    int16_t width_ = 1;
};

// A text box that remembers every text it was given.
class RecordingTextBox : public TextSink {
public:
    void SetText(const std::string& t) override { texts.push_back(t); }
    std::string text() const { return texts.empty() ? std::string() : texts.back(); }
    std::vector<std::string> texts;
};

} // namespace yarrow::test
