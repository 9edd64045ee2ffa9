#pragma once

#include "core/seams/Clipboard.h"

#include <optional>
#include <string>

namespace yarrow {

// The clipboard as a variable. Clear() empties it (GetText() then gives no text, like a real
// clipboard without a text format); the counters show what a procedure did to it.
class MemoryClipboard : public Clipboard {
public:
    MemoryClipboard() = default;
    explicit MemoryClipboard(std::string text) : content(std::move(text)) {}

    void Clear() override {
        ++clears;
        content.reset();
    }
    void SetText(const std::string& text) override {
        ++sets;
        content = text;
    }
    std::optional<std::string> GetText() override { return content; }

    std::optional<std::string> content;
    int clears = 0;
    int sets = 0;
};

} // namespace yarrow
