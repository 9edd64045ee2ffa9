#pragma once

#include "base/Twips.h"
#include "base/qalSetDisplay.h"

#include <QWidget>
#include <cstdint>
#include <vector>

class QLabel;

namespace yarrow {

// A label as the panels place them: left-aligned, centred vertically.
QLabel* NewLabel(const char* text, QWidget* parent);

// A work panel of the main window. It knows the size it wants (ucWidth, ucHeight: its design
// size, or the large one after EnlargeFont) and owns the display scaler of its controls.
class WorkPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ucWidth READ ucWidth)
    Q_PROPERTY(int ucHeight READ ucHeight)
public:
    explicit WorkPanel(QWidget* parent = nullptr);

    int32_t ucWidth() const { return ucWidth_; }
    int32_t ucHeight() const { return ucHeight_; }

    void EnlargeFont();
    void ReduceFont();
    // Called by the main window each time it shows the panel ("Curves", "Analytics").
    virtual void Initialize() {}

    // The panel's controls in their registration order.
    const std::vector<QWidget*>& Controls() const { return controls_; }
    const qalSetDisplay& Display() const { return display_; }

protected:
    // Gives the panel its design size in twips.
    void SetDesignSize(int32_t width, int32_t height);
    // Places a control (a child of the panel, or of a frame on it) and registers it as one of the
    // panel's controls.
    template <typename T> T* Place(T* control, const char* objectName, const TwipRect& r) {
        control->setObjectName(objectName);
        SetTwips(control, r);
        controls_.push_back(control);
        return control;
    }
    void AddControl(QWidget* control) { controls_.push_back(control); }
    // Remembers every control's design geometry: call once, after all controls are placed.
    void SetUpDisplay();
    void ReadSize();

    int32_t ucWidth_ = 0;
    int32_t ucHeight_ = 0;

private:
    std::vector<QWidget*> controls_;
    qalSetDisplay display_;
};

} // namespace yarrow
