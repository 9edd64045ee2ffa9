#pragma once

#include "base/Twips.h"

#include <string>
#include <vector>

namespace yarrow {

// The window-size facts PositionBrowsers works from, in twips.
struct BrowserLayoutInput {
    TwipRect panel;        // CurrentPanel
    float windowWidth = 0; // outer width of the window
    float scaleWidth = 0;  // client area
    float scaleHeight = 0;
    bool minimized = false;
    bool expandBottom = true;
};

// The controls PositionBrowsers moves: their current geometry in, their new geometry out.
struct BrowserLayoutControls {
    TwipRect browser1, cmdBack, cmdForward, cmdStop;
    TwipRect cmbNavigate, cmdBotBack, cmdBotForward;
    TwipRect browser2;
    float lineX1 = 0, lineY1 = 0, lineX2 = 0, lineY2 = 0; // Line1(1), the separator
    bool operator==(const BrowserLayoutControls&) const = default;
};

// The layout arithmetic of the main window, statement by statement. An assignment that would give
// a negative width or height is skipped (the control keeps its value) and its name is added to
// `skipped`; later statements read whatever the controls then hold. Returns false, changing
// nothing, when the window is minimised.
bool ComputeBrowserLayout(const BrowserLayoutInput& in, BrowserLayoutControls& c,
                          std::vector<std::string>* skipped = nullptr);

} // namespace yarrow
