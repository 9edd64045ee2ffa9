#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace yarrow {

// Large-display arithmetic: the panel grows by 1.7 across and 1.5 down; vertical positions are
// stretched by (xHeight - 400) / (oHeight - 400) so the controls also clear the panel's margin.
struct DisplayRatios {
    int32_t xWidth = 0;  // CLng(oWidth * 1.7)
    int32_t xHeight = 0; // CLng(oHeight * 1.5)
    float rW = 0;        // oWidth / xWidth; 0 when it cannot be formed
    float rH = 0;        // (oHeight - 400) / (xHeight - 400); 0 when it cannot be formed
};
DisplayRatios EnlargeRatios(int32_t oWidth, int32_t oHeight);
// Int(v / r); a zero ratio raises DivisionByZero, a result beyond 32 bits Overflow.
int32_t StretchTwips(int32_t v, float r);

// Remembers the design-time geometry of a panel's controls once and switches them between the
// large display (stretched, 12-point bold) and the normal one (design geometry, 8-point).
// Every property is set on its own: one that fails keeps its value and the rest go on.
class qalSetDisplay {
public:
    void Initialize(int32_t oWidth, int32_t oHeight, int16_t nCont);
    // Lines (LineControl) are remembered by their end points: x1, y1, x2, y2 in the left, top,
    // width and height slots.
    void SetUpDisplay(int16_t i, QWidget* ctrl);

    void EnlargeFont(int32_t& xWidth, int32_t& xHeight);
    void ReduceFont(int32_t& xWidth, int32_t& xHeight);

    int32_t oWidth() const { return oWidth_; }
    int32_t oHeight() const { return oHeight_; }
    int16_t nCont() const { return nCont_; }

private:
    struct Slot {
        QPointer<QWidget> control;
        int32_t left = 0, top = 0, width = 0, height = 0;
    };
    Slot* SlotAt(int16_t i);

    int32_t oWidth_ = 0;
    int32_t oHeight_ = 0;
    int16_t nCont_ = 0;
    std::vector<Slot> slots_; // 0..nCont
};

} // namespace yarrow
