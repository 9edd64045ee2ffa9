#pragma once

#include <string_view>
#include <vector>

namespace yarrow {

// The pieces of text between the separators: n separators give n + 1 pieces, empty ones kept.
std::vector<std::string_view> SplitText(std::string_view text, char separator);

// The lines of a text at every line break: CR LF, CR or LF (a file may have passed through a
// browser or another platform). A text ending in a break gives an empty last line.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace yarrow
