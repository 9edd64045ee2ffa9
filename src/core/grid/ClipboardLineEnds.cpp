#include "core/grid/ClipboardLineEnds.h"

namespace yarrow {

std::string ClipboardTextIn(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t k = 0; k < text.size(); ++k) {
        const char ch = text[k];
        if (ch == '\r') {
            out += "\r\n";
            if (k + 1 < text.size() && text[k + 1] == '\n')
                ++k;
        } else if (ch == '\n') {
            out += "\r\n";
        } else {
            out += ch;
        }
    }
    return out;
}

std::string ClipboardTextOut(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t k = 0; k < text.size(); ++k) {
        const char ch = text[k];
        if (ch == '\r') {
            out += '\n';
            if (k + 1 < text.size() && text[k + 1] == '\n')
                ++k;
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace yarrow
