#pragma once

#include <string>

namespace yarrow {

// The grid procedures speak CR LF (and write CR between rows); other programs on this platform
// end their lines in LF alone. The clipboard implementation converts at the boundary.

// Text read from the clipboard: every LF and every lone CR becomes CR LF; CR LF stays as it is.
std::string ClipboardTextIn(const std::string& text);
// Text put on the clipboard: every CR LF and every lone CR becomes LF.
std::string ClipboardTextOut(const std::string& text);

} // namespace yarrow
