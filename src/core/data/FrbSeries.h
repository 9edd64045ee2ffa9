#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace yarrow {

class GridModel;
class Session;

// The Federal Reserve H.15 constant-maturity series that make the default bond table: two bills
// quoted by their yield and eight par bonds whose coupon is the series yield.
struct FrbSeries {
    const char* name;    // series name, e.g. "H15_TCMNOM_M3"; the file is name + "_2010.txt"
    int row;             // grid row written (series index + 2)
    bool bill;           // bill row ("3TD", "6TD") or par bond row ("1" .. "30")
    int term;            // maturity after the quote date: months for bills, years for bonds
    const char* rowName; // text of the name column
};

inline constexpr int kFrbSeriesCount = 10;
const std::array<FrbSeries, kFrbSeriesCount>& FrbSeriesTable();
// Each series' term as a short label, in series order: the history's column headings.
inline constexpr std::array<const char*, kFrbSeriesCount> kFrbSeriesLabels = {"3M", "6M", "1Y",  "2Y",  "3Y",
                                                                              "5Y", "7Y", "10Y", "20Y", "30Y"};
// "H15_TCMNOM_Y10_2010.txt" for series 7.
std::string FrbSeriesFileName(int i);

// Step one of a fetch: clears the grid, makes it 12 rows by 5 columns and empties the shared quote
// date (session.quoteDate).
void BeginFrbYieldCurve(GridModel& grid, Session& session);

// Reads the latest observation of series i (0..9) from the body text of its file as a browser
// shows it (a preformatted block; CR LF or LF line breaks) or as the plain file, and writes grid
// row i + 2. The last line holding more than markup and blanks is the observation, whether or not
// a line break follows it. The first series read sets
// session.quoteDate to its observation date text; every maturity is counted from that date and
// written as a short date in session.dateOrder. Cells: 1 name, 2 coupon, 3 maturity, 4 quote;
// rates are written with 4 decimals (not a number: "0.0000").
// Raises SubscriptOutOfRange when the body has no such line or that line no comma,
// TypeMismatch when the quote date is not a date. Cells written before a failure stay.
void ReadFrbSeriesBody(int i, std::string_view body, GridModel& grid, Session& session);

// Writes grid row `row` for series i from its rate text, counting the maturity from
// session.quoteDate: a bill as name "3TD"/"6TD", coupon "0", maturity, the rate as quote; a par
// bond as name "1".."30", the rate as coupon, quote "100", maturity. Raises TypeMismatch when the
// quote date is not a date (the name cell is written first).
void WriteFrbSeriesRow(int i, int row, std::string_view rate, GridModel& grid, const Session& session);

// The whole fetch: BeginFrbYieldCurve, then ReadFrbSeriesBody for series 0..9 in order with the
// body that fetchBody(i) returns. A failure stops the fetch and goes to the caller; earlier rows
// stay written.
void GrabFRBYieldCurve(const std::function<std::string(int i)>& fetchBody, GridModel& grid, Session& session);

// The same from a folder holding the ten series files (e.g. the bundled resources/FRBData).
// A file that cannot be read counts as an empty body (SubscriptOutOfRange).
void GrabFRBYieldCurveFromFolder(const std::string& folder, GridModel& grid, Session& session);

} // namespace yarrow
