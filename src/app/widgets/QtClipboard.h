#pragma once

#include "core/seams/Clipboard.h"

namespace yarrow {

// The system clipboard through QClipboard, text only. Other programs here end lines in LF: text
// read is turned into CR LF for the grid procedures, text written leaves with LF line ends.
class QtClipboard : public Clipboard {
public:
    void Clear() override;
    void SetText(const std::string& text) override;
    std::optional<std::string> GetText() override;
};

} // namespace yarrow
