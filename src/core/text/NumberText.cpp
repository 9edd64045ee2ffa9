#include "core/text/NumberText.h"

#include "core/text/CharClass.h"
#include "core/text/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <cstdlib>
#include <system_error>
#include <vector>

// All conversions go through <charconv>: the GUI sets the C locale from the user's settings, and
// strtod or printf would then read and write a decimal comma.

namespace yarrow {

namespace {

bool IsExponentMark(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Converts a canonical number text ([-]digits[.digits][e[-]digits], at least one digit) to a
// double. Out-of-range magnitudes raise Overflow; underflow reads as zero.
double ConvertCanonical(const std::string& s) {
    double value = 0.0;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    const bool negative = !s.empty() && s.front() == '-';
    if (negative)
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Decide between overflow and underflow from the decimal exponent of the leading digit.
        long digitsBeforePoint = 0;
        long leadingFractionZeros = 0;
        bool seenPoint = false, seenNonZero = false;
        long exponent = 0;
        for (size_t i = negative ? 1 : 0; i < s.size(); ++i) {
            const char c = s[i];
            if (c == '.') {
                seenPoint = true;
            } else if (c == 'e') {
                // strtol saturates; any exponent beyond a billion decides the same way, and the
                // clamp keeps the magnitude sum below from overflowing.
                exponent = std::clamp(std::strtol(s.c_str() + i + 1, nullptr, 10), -1000000000L, 1000000000L);
                break;
            } else if (IsDigit(c)) {
                if (c != '0')
                    seenNonZero = true;
                if (!seenPoint && seenNonZero)
                    ++digitsBeforePoint;
                else if (seenPoint && !seenNonZero)
                    ++leadingFractionZeros;
            }
        }
        const long magnitude =
            digitsBeforePoint > 0 ? digitsBeforePoint + exponent : exponent - leadingFractionZeros;
        if (seenNonZero && magnitude > 0)
            throw RuntimeError::Overflow();
        return negative ? -0.0 : 0.0;
    }
    if (ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

// Reads the longest number at the start of `text` after removing blanks, in the canonical form of
// ConvertCanonical; empty when no digit was read.
std::string LenientPrefix(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            compact.push_back(c);

    std::string out;
    size_t i = 0;
    const size_t n = compact.size();
    if (i < n && (compact[i] == '+' || compact[i] == '-')) {
        if (compact[i] == '-')
            out.push_back('-');
        ++i;
    }
    bool digits = false;
    while (i < n && IsDigit(compact[i])) {
        out.push_back(compact[i++]);
        digits = true;
    }
    if (i < n && compact[i] == '.') {
        out.push_back('.');
        ++i;
        while (i < n && IsDigit(compact[i])) {
            out.push_back(compact[i++]);
            digits = true;
        }
    }
    if (!digits)
        return {};
    // An exponent counts only when at least one digit follows its mark and sign.
    if (i < n && IsExponentMark(compact[i])) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < n && (compact[j] == '+' || compact[j] == '-')) {
            if (compact[j] == '-')
                exp.push_back('-');
            ++j;
        }
        const size_t expDigitsStart = j;
        while (j < n && IsDigit(compact[j]))
            exp.push_back(compact[j++]);
        if (j > expDigitsStart)
            out += exp;
    }
    return out;
}

// The canonical text of a whole-text number, or empty when the text is not a number.
std::string StrictNumber(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    text = text.substr(b, e - b);

    std::string out;
    size_t i = 0;
    const size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            out.push_back('-');
        ++i;
        while (i < n && IsBlank(text[i]))
            ++i;
    }
    bool digits = false;
    // Thousands commas may stand anywhere among the integer digits, but not before the first.
    while (i < n && (IsDigit(text[i]) || (digits && text[i] == ','))) {
        if (text[i] != ',')
            out.push_back(text[i]);
        digits = true;
        ++i;
    }
    if (i < n && text[i] == '.') {
        out.push_back('.');
        ++i;
        while (i < n && IsDigit(text[i])) {
            out.push_back(text[i++]);
            digits = true;
        }
    }
    if (!digits)
        return {};
    if (i < n && IsExponentMark(text[i])) {
        out.push_back('e');
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-')
                out.push_back('-');
            ++i;
        }
        const size_t start = i;
        while (i < n && IsDigit(text[i]))
            out.push_back(text[i++]);
        if (i == start)
            return {};
    }
    if (i != n)
        return {};
    return out;
}

// Exact decimal expansion of |value| rounded half away from zero to `decimals` places, as integer
// digits (at least "0") and exactly `decimals` fraction digits.
//
// Rounding works on the exact binary value, so 0.125 (exact) gives 0.13 while 2.675, stored as
// 2.67499999999999982..., gives 2.67. This is the one rule every caller can rely on; rounding a
// 15-digit text first would round twice.
void RoundDecimal(double value, int decimals, std::string& intDigits, std::string& fracDigits) {
    const double a = std::fabs(value);
    int exp2 = 0;
    std::frexp(a, &exp2);
    // A double m * 2^(exp2-53) has at most 53 - exp2 fraction digits; this precision is exact.
    const int exact = std::clamp(53 - exp2, 0, 1100);
    const int precision = std::max(exact, decimals + 1);
    std::vector<char> buf(static_cast<size_t>(precision) + 330);
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::fixed, precision);
    std::string text(buf.data(), res.ptr);
    const size_t point = text.find('.');
    std::string ip = text.substr(0, point);
    std::string fp = point == std::string::npos ? std::string() : text.substr(point + 1);
    fp.resize(static_cast<size_t>(std::max(precision, 0)), '0');

    const bool up = fp[static_cast<size_t>(decimals)] >= '5';
    std::string digits = ip + fp.substr(0, static_cast<size_t>(decimals));
    if (up) {
        int k = static_cast<int>(digits.size()) - 1;
        while (k >= 0 && digits[static_cast<size_t>(k)] == '9')
            digits[static_cast<size_t>(k--)] = '0';
        if (k < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[static_cast<size_t>(k)];
    }
    intDigits = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
    fracDigits = digits.substr(digits.size() - static_cast<size_t>(decimals));
    const size_t nz = intDigits.find_first_not_of('0');
    intDigits = nz == std::string::npos ? "0" : intDigits.substr(nz);
}

bool AllZero(const std::string& s) {
    return s.find_first_not_of('0') == std::string::npos;
}

struct PatternToken {
    enum Kind { Digit, Point, Literal } kind;
    char ch; // '0' or '#' for digits, the character for literals
};

// General text with `significant` digits: fixed notation for decimal exponents -5 < e < limit,
// otherwise "1.5E+20" / "1E-05".
template <typename F> std::string GeneralTextOf(F value, int significant, int fixedLimit) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    if (value == 0)
        return "0";
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significant - 1);
    std::string sci(buf, res.ptr); // [-]d.ddddde[+-]xx
    std::string sign;
    if (sci.front() == '-') {
        sign = "-";
        sci.erase(0, 1);
    }
    const size_t epos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + epos + 1);
    std::string mantissa = sci.substr(0, epos);
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    if (exponent > -5 && exponent < fixedLimit) {
        std::string out;
        if (exponent < 0) {
            out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
        } else if (static_cast<int>(mantissa.size()) <= exponent + 1) {
            out = mantissa + std::string(static_cast<size_t>(exponent + 1) - mantissa.size(), '0');
        } else {
            out = mantissa.substr(0, static_cast<size_t>(exponent + 1)) + "." +
                  mantissa.substr(static_cast<size_t>(exponent + 1));
        }
        return sign + out;
    }
    std::string out = mantissa.substr(0, 1);
    if (mantissa.size() > 1)
        out += "." + mantissa.substr(1);
    const int ae = std::abs(exponent);
    out += exponent < 0 ? "E-" : "E+";
    if (ae < 10)
        out += '0';
    out += std::to_string(ae);
    return sign + out;
}

} // namespace

double Val(std::string_view text) {
    const std::string canonical = LenientPrefix(text);
    if (canonical.empty())
        return 0.0;
    const double v = ConvertCanonical(canonical);
    return v == 0.0 ? 0.0 : v; // no negative zero from "-0"
}

bool IsNumeric(std::string_view text) {
    const std::string canonical = StrictNumber(text);
    if (canonical.empty())
        return false;
    try {
        ConvertCanonical(canonical);
    } catch (const RuntimeError&) {
        return false; // beyond the double range: not a number the program can hold
    }
    return true;
}

float SafeSingle(std::string_view text) {
    // A numeric text beyond the single range raises Overflow, as the platform's conversion does.
    const double value = SafeDouble(text);
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        throw RuntimeError::Overflow();
    return static_cast<float>(value);
}

double SafeDouble(std::string_view text) {
    const std::string canonical = StrictNumber(text);
    if (canonical.empty())
        return 0.0;
    try {
        return ConvertCanonical(canonical) + 0.0;
    } catch (const RuntimeError&) {
        return 0.0;
    }
}

std::string FormatPattern(double value, std::string_view pattern) {
    if (pattern.empty() || !std::isfinite(value))
        return GeneralText(value);

    std::vector<PatternToken> tokens;
    bool grouping = false, percent = false, seenPoint = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '0' || c == '#') {
            tokens.push_back({PatternToken::Digit, c});
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            tokens.push_back({PatternToken::Point, c});
        } else if (c == ',' && !seenPoint) {
            grouping = true; // the separator itself is placed by the digits
        } else if (c == '\\' && i + 1 < pattern.size()) {
            tokens.push_back({PatternToken::Literal, pattern[++i]});
        } else {
            if (c == '%')
                percent = true;
            tokens.push_back({PatternToken::Literal, c});
        }
    }

    int intSlots = 0, minInt = 0, fracSlots = 0, minFrac = 0;
    bool afterPoint = false;
    for (const PatternToken& t : tokens) {
        if (t.kind == PatternToken::Point) {
            afterPoint = true;
        } else if (t.kind == PatternToken::Digit) {
            if (afterPoint) {
                ++fracSlots;
                if (t.ch == '0')
                    minFrac = fracSlots;
            } else {
                ++intSlots;
                if (t.ch == '0' && minInt == 0)
                    minInt = 1; // counts this slot and every later one
                else if (minInt > 0)
                    ++minInt;
            }
        }
    }
    if (intSlots == 0 && fracSlots == 0 && !seenPoint) {
        std::string out;
        for (const PatternToken& t : tokens)
            out.push_back(t.ch);
        return out;
    }

    const double scaled = percent ? value * 100.0 : value;
    std::string intDigits, fracDigits;
    RoundDecimal(scaled, fracSlots, intDigits, fracDigits);
    const bool negative = std::signbit(scaled) && !(AllZero(intDigits) && AllZero(fracDigits));

    while (static_cast<int>(fracDigits.size()) > minFrac && fracDigits.back() == '0')
        fracDigits.pop_back();
    if (intDigits == "0")
        intDigits.clear(); // shown only when a '0' slot asks for it
    if (static_cast<int>(intDigits.size()) < minInt)
        intDigits.insert(0, static_cast<size_t>(minInt) - intDigits.size(), '0');
    if (grouping) {
        for (int k = static_cast<int>(intDigits.size()) - 3; k > 0; k -= 3)
            intDigits.insert(static_cast<size_t>(k), 1, ',');
    }

    // Integer digits fill the integer slots from the right; any surplus goes to the first slot.
    std::string out = negative ? "-" : "";
    const int len = static_cast<int>(intDigits.size());
    int intSlot = 0, fracSlot = 0;
    afterPoint = false;
    for (const PatternToken& t : tokens) {
        if (t.kind == PatternToken::Literal) {
            out.push_back(t.ch);
        } else if (t.kind == PatternToken::Point) {
            afterPoint = true;
            out.push_back('.');
        } else if (afterPoint) {
            if (fracSlot < static_cast<int>(fracDigits.size()))
                out.push_back(fracDigits[static_cast<size_t>(fracSlot)]);
            ++fracSlot;
        } else {
            const int end = len - (intSlots - 1 - intSlot);
            const int begin = intSlot == 0 ? 0 : end - 1;
            if (end > 0)
                out.append(intDigits, static_cast<size_t>(std::max(begin, 0)),
                           static_cast<size_t>(end - std::max(begin, 0)));
            ++intSlot;
        }
    }
    return out;
}

std::string FormatFixed(double value, int decimals) {
    std::string pattern = "0";
    if (decimals > 0) {
        pattern += '.';
        pattern.append(static_cast<size_t>(decimals), '0');
    }
    return FormatPattern(value, pattern);
}

std::string GeneralText(double value) {
    return GeneralTextOf(value, 15, 15);
}

std::string GeneralText(float value) {
    return GeneralTextOf(value, 7, 7);
}

} // namespace yarrow
