#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace yarrow {

// Lenient reading: blanks, tabs and line feeds are ignored wherever they stand, reading stops at
// the first character that cannot continue a number (sign, digits, one point, exponent with 'E' or
// 'D'), and a text without digits reads as 0. "4 1/4" reads 41; "1,250" reads 1; "&H10" is not
// special. An exponent beyond the double range raises Overflow.
double Val(std::string_view text);

// True when the whole text (leading/trailing blanks allowed, thousands commas allowed, an optional
// sign, decimals, exponent, currency-free) is a number. Empty text is not numeric.
bool IsNumeric(std::string_view text);

// Single value of a text: empty or non-numeric gives 0 (numeric test first, then conversion); a
// number beyond the single range raises Overflow.
float SafeSingle(std::string_view text);
// Double value: non-numeric gives 0.
double SafeDouble(std::string_view text);

// Number pattern: '0' a required digit, '#' an optional one, '.' the decimal point (always
// written), ',' among the integer digits groups thousands, '%' scales by 100, '\' escapes, any
// other character is copied. FormatPattern(98.5, "####0.0000") == "98.5000",
// FormatPattern(0.068, "####.0000") == ".0680", FormatPattern(-0.04, "####.0000") == "-.0400";
// FormatPattern(1.5, "#####0.00#####") == "1.50". Integer digits beyond the pattern are all shown.
// Rounding is half away from zero on the exact binary value (0.125 -> "0.13", 2.675 -> "2.67");
// a result that rounds to zero has no minus sign. An empty pattern gives GeneralText.
std::string FormatPattern(double value, std::string_view pattern);

// Fixed decimals with a leading zero, no grouping: FormatFixed(0.17, 4) == "0.1700".
std::string FormatFixed(double value, int decimals);

// General text of a double: up to 15 significant digits, no trailing zeros or point, a leading
// zero kept ("0.5"); E notation outside 1E-04 <= |x| < 1E+15: 10/4 -> "2.5",
// 1/3 -> "0.333333333333333", 5 -> "5", 1e20 -> "1E+20", 1e-5 -> "1E-05".
std::string GeneralText(double value);

// General text of a single (7 significant digits, E notation from 1E+07): 0.1f -> "0.1".
std::string GeneralText(float value);

// Integers (counts, indices) as plain decimal text; without this an int would be ambiguous
// between the two overloads above.
template <std::integral I> std::string GeneralText(I value) {
    return std::to_string(value);
}

} // namespace yarrow
