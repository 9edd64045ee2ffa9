#include "RateShock.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace yarrow {

double ShockAt(const ShockKnots& knots, double t) {
    if (knots.empty())
        return 0;
    if (t <= knots.front().years)
        return knots.front().bp;
    if (t >= knots.back().years)
        return knots.back().bp;
    const auto hi = std::upper_bound(knots.begin(), knots.end(), t,
                                     [](double x, const ShockKnot& k) { return x < k.years; });
    const ShockKnot& b = *hi;
    const ShockKnot& a = *(hi - 1);
    return a.bp + (b.bp - a.bp) * (t - a.years) / (b.years - a.years);
}

ShockKnots PresetShock(ShockPreset preset, double n) {
    const double h = n / 2;
    switch (preset) {
    case ShockPreset::Parallel:
        return {{0, n}};
    case ShockPreset::Steepener:
        return {{2, -h}, {10, h}};
    case ShockPreset::Flattener:
        return {{2, h}, {10, -h}};
    case ShockPreset::Butterfly:
        return {{2, h}, {5, -h}, {10, h}};
    }
    return {};
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Shortest(double v) {
    char buf[32];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        if (std::strtod(buf, nullptr) == v)
            break;
    }
    return buf;
}

} // namespace

bool ReadPlainNumber(std::string text, double& value) {
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    text.erase(0, start);
    if (text.empty())
        return false;
    // strtod would also take "inf", "nan" and hexadecimal: a knot is plain decimal.
    for (char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' ||
              c == 'E'))
            return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && errno == 0 && std::isfinite(value);
}

ShockKnots ParseShockKnots(const std::string& text) {
    ShockKnots knots;
    size_t pos = 0;
    while (true) {
        const size_t comma = text.find(',', pos);
        const std::string item =
            text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        const size_t colon = item.find(':');
        ShockKnot k;
        if (colon == std::string::npos || !ReadPlainNumber(item.substr(0, colon), k.years) ||
            !ReadPlainNumber(item.substr(colon + 1), k.bp))
            throw ShockSyntaxError("a knot is YEARS:BP, as in 2:-50,10:50; '" + item + "' is not one");
        knots.push_back(k);
        if (comma == std::string::npos)
            break;
        pos = comma + 1;
    }
    std::stable_sort(knots.begin(), knots.end(),
                     [](const ShockKnot& a, const ShockKnot& b) { return a.years < b.years; });
    CheckShock(knots);
    return knots;
}

void CheckShock(const ShockKnots& knots) {
    if (knots.empty())
        throw ShockInputError("a shock needs at least one knot");
    for (size_t i = 0; i < knots.size(); ++i) {
        const ShockKnot& k = knots[i];
        if (!std::isfinite(k.years) || k.years < 0)
            throw ShockInputError(
                std::string("a knot's maturity is 0 years or more, not ").append(Shortest(k.years)));
        if (!std::isfinite(k.bp) || std::fabs(k.bp) > kMaxShockBp)
            throw ShockInputError(std::string("a shift is at most 5000 bp either way, not ")
                                      .append(Shortest(k.bp))
                                      .append(" bp"));
        if (i > 0 && !(knots[i - 1].years < k.years))
            throw ShockInputError(std::string("two knots at ").append(Shortest(k.years)).append(" years"));
    }
}

std::string ShockKnotsText(const ShockKnots& knots) {
    std::string text;
    for (const ShockKnot& k : knots) {
        if (!text.empty())
            text += ',';
        text += Shortest(k.years);
        text += ':';
        text += Shortest(k.bp);
    }
    return text;
}

} // namespace yarrow
