#include "base/WorkPanel.h"

#include <QLabel>
#include "core/numeric/Precision.h"

namespace yarrow {

QLabel* NewLabel(const char* text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

WorkPanel::WorkPanel(QWidget* parent) : QWidget(parent) {
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
}

void WorkPanel::SetDesignSize(int32_t width, int32_t height) {
    SetTwips(this, {0, 0, float(width), float(height)});
    ReadSize();
}

void WorkPanel::ReadSize() {
    const TwipRect r = GetTwips(this);
    ucWidth_ = CLng(r.width);
    ucHeight_ = CLng(r.height);
}

void WorkPanel::SetUpDisplay() {
    display_.Initialize(ucWidth_, ucHeight_, CInt(double(controls_.size())));
    for (size_t i = 0; i < controls_.size(); ++i)
        display_.SetUpDisplay(CInt(double(i)), controls_[i]);
}

void WorkPanel::EnlargeFont() {
    display_.EnlargeFont(ucWidth_, ucHeight_);
    SetTwipWidth(this, float(ucWidth_));
    SetTwipHeight(this, float(ucHeight_));
}

void WorkPanel::ReduceFont() {
    display_.ReduceFont(ucWidth_, ucHeight_);
    SetTwipWidth(this, float(ucWidth_));
    SetTwipHeight(this, float(ucHeight_));
}

} // namespace yarrow
