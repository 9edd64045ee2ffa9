#include "shell/BrowserLayout.h"

namespace yarrow {

namespace {

class Assigner {
public:
    explicit Assigner(std::vector<std::string>* skipped) : skipped_(skipped) {}
    void Position(float& property, float value) { property = value; }
    // Sizes below zero are invalid property values: that one assignment does not happen.
    void Size(float& property, float value, const char* name) {
        if (value < 0) {
            if (skipped_)
                skipped_->emplace_back(name);
            return;
        }
        property = value;
    }

private:
    std::vector<std::string>* skipped_;
};

} // namespace

bool ComputeBrowserLayout(const BrowserLayoutInput& in, BrowserLayoutControls& c,
                          std::vector<std::string>* skipped) {
    if (in.minimized)
        return false;
    Assigner set(skipped);
    const TwipRect& p = in.panel;
    const float sh = in.scaleHeight;

    set.Position(c.browser1.left, p.left + p.width + 25);
    set.Size(c.browser1.width, in.windowWidth - c.browser1.left - 150, "Browser1.Width");
    set.Position(c.cmdBack.left, c.browser1.left);
    set.Position(c.cmdForward.left, c.cmdBack.left + c.cmdBack.width + 25);
    set.Position(c.cmdStop.left, c.cmdForward.left + c.cmdForward.width + 25);

    set.Position(c.cmbNavigate.top, p.top + p.height + 10);
    set.Position(c.cmbNavigate.left, p.left);
    set.Size(c.cmbNavigate.width, p.width - c.cmdBotBack.width - c.cmdBotForward.width, "cmbNavigate.Width");
    set.Position(c.cmdBotBack.top, c.cmbNavigate.top);
    set.Position(c.cmdBotBack.left, c.cmbNavigate.left + c.cmbNavigate.width + 5);
    set.Position(c.cmdBotForward.top, c.cmdBotBack.top);
    set.Position(c.cmdBotForward.left, c.cmdBotBack.left + c.cmdBotBack.width + 5);

    set.Position(c.browser2.left, p.left);
    set.Position(c.browser2.top, p.top + p.height + 25);
    const float h = sh - c.browser2.top - 100;
    const float third = sh / 3.0f;
    if (h > 0) {
        set.Size(c.browser2.height, h, "Browser2.Height");
        if (c.browser2.height > third) {
            set.Position(c.browser2.top, 2 * sh / 3);
            set.Size(c.browser2.height, third - 100, "Browser2.Height");
        }
    } else {
        set.Position(c.browser2.top, 2 * sh / 3);
        set.Size(c.browser2.height, third - 100, "Browser2.Height");
    }

    if (in.expandBottom) {
        set.Size(c.browser2.width, in.scaleWidth - 100, "Browser2.Width");
        set.Size(c.browser1.height, c.browser2.top - c.browser1.top - 50, "Browser1.Height");
    } else {
        set.Size(c.browser1.height, sh - c.browser1.top - 100, "Browser1.Height");
        set.Size(c.browser2.width, p.width, "Browser2.Width");
    }

    c.lineX1 = c.browser2.left;
    c.lineX2 = c.browser2.left + c.browser2.width;
    c.lineY1 = c.browser2.top - 15;
    c.lineY2 = c.lineY1;
    return true;
}

} // namespace yarrow
