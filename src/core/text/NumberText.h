#pragma once

#include <string>
#include <string_view>

namespace yarrow {

// Lenient reading: blanks, tabs and line feeds are ignored wherever they stand, reading stops at
// the first character that cannot continue a number (sign, digits, one point, exponent), and a
// text without digits reads as 0. "4 1/4" reads 41; "1,250" reads 1; "&H10" is not special.
double Val(std::string_view text);

// True when the whole text (leading/trailing blanks allowed, thousands commas allowed, an optional
// sign, decimals, exponent, currency-free) is a number. Empty text is not numeric.
bool IsNumeric(std::string_view text);

// Single value of a text: empty or non-numeric gives 0 (numeric test first, then conversion).
float SafeSingle(std::string_view text);
// Double value: non-numeric gives 0.
double SafeDouble(std::string_view text);

// Number pattern: '0' a required digit, '#' an optional one, '.' the decimal point.
// FormatPattern(98.5, "####0.0000") == "98.5000", FormatPattern(0.068, "####.0000") == ".0680",
// FormatPattern(-0.04, "####.0000") == "-.0400"; FormatPattern(1.5, "#####0.00#####") == "1.50".
// Integer digits beyond the pattern are all shown. Rounding is half away from zero on the
// decimal text of the double.
std::string FormatPattern(double value, std::string_view pattern);

// Fixed decimals with a leading zero, no grouping: FormatFixed(0.17, 4) == "0.1700".
std::string FormatFixed(double value, int decimals);

// General text of a double: up to 15 significant digits, no trailing zeros, no leading zero
// before the point for |x| < 1 is NOT dropped ("0.5"); 10/4 -> "2.5", 1/3 -> "0.333333333333333",
// 5 -> "5", 1e20 -> "1E+20", 1e-5 -> "1E-05".
std::string GeneralText(double value);

// General text of a single (7 significant digits): 0.1f -> "0.1".
std::string GeneralText(float value);

} // namespace yarrow
