#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace yarrow {

// A knot text that does not read as "YEARS:BP,YEARS:BP,...": a usage fault on the command line.
struct ShockSyntaxError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// Input that reads but cannot be used: two knots at one maturity, a shift beyond the limit, a
// bond or a holding the table does not have.
struct ShockInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One point of a shock: the shift in basis points at a maturity in years.
struct ShockKnot {
    double years = 0;
    double bp = 0;
    bool operator==(const ShockKnot&) const = default;
};
// Knots in increasing maturity, at least one.
using ShockKnots = std::vector<ShockKnot>;

// Beyond this many basis points either way a shift is refused: the repricing stays meaningful.
inline constexpr double kMaxShockBp = 5000;

// The shift in basis points at t years: linear between knots, flat before the first and after
// the last. An empty shock shifts nothing.
double ShockAt(const ShockKnots& knots, double t);

enum class ShockPreset { Parallel, Steepener, Flattener, Butterfly };

// The preset of size n bp: Parallel {0: n}; Steepener {2: -n/2, 10: n/2}; Flattener
// {2: n/2, 10: -n/2}; Butterfly {2: n/2, 5: -n/2, 10: n/2}.
ShockKnots PresetShock(ShockPreset preset, double n);

// Reads "YEARS:BP,YEARS:BP,..." (blanks around numbers allowed, knots in any order) into knots
// sorted by maturity, checked by CheckShock. ShockSyntaxError for text that does not read,
// ShockInputError for knots that read but are refused.
ShockKnots ParseShockKnots(const std::string& text);

// Refuses (ShockInputError) an empty shock, a negative or non-finite maturity, two knots at one
// maturity and a shift beyond +/- kMaxShockBp. Knots must already be sorted.
void CheckShock(const ShockKnots& knots);

// The whole text (blanks around it allowed) as a finite plain decimal number: no "inf", "nan" or
// hexadecimal, which a C reader would take.
bool ReadPlainNumber(std::string text, double& value);

// The knots as ParseShockKnots reads them back, shortest form of each number ("2:-50,10:50").
std::string ShockKnotsText(const ShockKnots& knots);

} // namespace yarrow
