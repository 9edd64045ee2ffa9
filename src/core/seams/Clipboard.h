#pragma once

#include <optional>
#include <string>

namespace yarrow {

// The system clipboard, text format only.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void Clear() = 0;
    virtual void SetText(const std::string& text) = 0;
    // Empty optional when the clipboard holds no text.
    virtual std::optional<std::string> GetText() = 0;
};

} // namespace yarrow
