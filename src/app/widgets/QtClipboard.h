#pragma once

#include "core/seams/Clipboard.h"

namespace yarrow {

// The system clipboard through QClipboard, text only. Cells travel with CR between rows, which
// QClipboard passes through unchanged.
class QtClipboard : public Clipboard {
public:
    void Clear() override;
    void SetText(const std::string& text) override;
    std::optional<std::string> GetText() override;
};

} // namespace yarrow
