#pragma once

#include <string>
#include <string_view>

namespace yarrow {

// The text of a file as UTF-8, whatever the user's editor saved: a UTF-8 byte-order mark is
// dropped, UTF-16 with its byte-order mark is converted, and a file that is not valid UTF-8 is
// read as Windows-1252 (as spreadsheet programs save "CSV" on Western systems).
std::string TextAsUtf8(std::string_view bytes);

// True when the bytes hold a NUL or another control character a text file never has (TAB, line
// breaks and form feed aside): a binary file given where text was expected.
bool LooksBinary(std::string_view bytes);

// Text safe to echo on a terminal: control characters shown as "?" and invalid UTF-8 replaced.
std::string PrintableText(std::string_view text);

// One line, one cell: every TAB and line break becomes a space (as a spreadsheet program does when
// it copies a cell into text).
std::string OneCellText(std::string_view text);

} // namespace yarrow
