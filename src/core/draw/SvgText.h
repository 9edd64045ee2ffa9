#pragma once

#include <string>

namespace yarrow {

// Text for an SVG document: &, <, > and " as entities.
std::string SvgEscaped(const std::string& text);
// A coordinate with at most `decimals` decimals and no trailing zeros; non-finite values (a curve
// at a division by zero) would make the document invalid, so they are written as 0.
std::string SvgNumber(double v, int decimals);

} // namespace yarrow
