#pragma once

namespace yarrow {

// Character classes of the text services, ASCII only: the C locale the GUI installs must not
// change how a date or a number reads.
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// What lenient reading skips: blanks, tabs and line ends.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace yarrow
