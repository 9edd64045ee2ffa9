#pragma once

#include "core/data/FrbSeries.h"
#include "core/text/Dates.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yarrow {

class GridModel;
class Session;

// A history file that cannot be read: missing, truncated, a malformed line (with its number).
class CmtHistoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One observation of a series: its index in FrbSeriesTable, its date and the rate in hundredths of
// a percent (0.18% is 18).
struct CmtObservation {
    int series = 0;
    Date date{};
    int16_t hundredths = 0;
};

// What the history says for one asked date: the series that have an observation in the window,
// in maturity order, and the date the quotes are seen from.
struct CmtDay {
    Date asked{};
    Date quoteDate{};
    std::vector<CmtObservation> rows;
    bool Empty() const { return rows.empty(); }
};

// Daily Treasury constant-maturity yields, one record a business day, the ten series of
// FrbSeriesTable in that order. Read from the TAB-separated text (the truth) or from the compact
// form the build makes of it; both give the same records.
//
//     CmtHistory h = CmtHistory::FromFile(path);
//     CmtDay day = h.DayOf(MakeDate(2010, 6, 30));
//     if (!day.Empty()) WriteCmtDay(day, grid, session);
class CmtHistory {
public:
    static constexpr int16_t kAbsent = INT16_MIN;
    // A series without an observation this many days before the asked date is left out.
    static constexpr int kMaxAgeDays = 30;

    // Text: a header line "DATE" TAB series codes (DGS3MO, DGS6MO, DGS1 .. DGS30 in any order;
    // other columns ignored), then one line a day: an ISO date and rates in percent with at most
    // two decimals; "." or an empty field is no observation. Dates must rise. CR LF or LF.
    static CmtHistory FromText(std::string_view text);
    static CmtHistory FromCompact(std::string_view bytes);
    // Either form, told apart by the compact form's leading tag.
    static CmtHistory FromBytes(std::string_view bytes);
    static CmtHistory FromFile(const std::string& path);
    std::string ToCompact() const;
    // Adds the days of `later` that come after Last() (all of them when this holds none), so the
    // days held before never change.
    void Append(const CmtHistory& later);

    size_t Size() const { return days_.size(); }
    Date DayAt(size_t k) const { return days_.at(k); }
    int16_t RateAt(size_t k, int series) const { return rates_.at(k).at(static_cast<size_t>(series)); }
    // First and last day of the file; raises CmtHistoryError when it holds none.
    Date First() const;
    Date Last() const;
    // Index of the last record on or before `date`, or Size() when there is none.
    size_t IndexOnOrBefore(Date date) const;

    // For each series the latest observation on or before `date` and at most kMaxAgeDays before
    // it. The quote date is the 3-month observation's date, or, without one, the date of the
    // shortest series present.
    CmtDay DayOf(Date date) const;

private:
    std::vector<Date> days_;
    std::vector<std::array<int16_t, kFrbSeriesCount>> rates_;
};

// "0.18", "16.64", "-0.05"; the empty text for kAbsent.
std::string HundredthsText(int16_t hundredths);

// Writes the data grid as the Federal Reserve source does for the ten series files (12 rows by 5
// columns, bills "3TD"/"6TD", par bonds at 100, maturities from the quote date), with the series
// of `day` on consecutive rows from row 2, and sets session.quoteDate to the ISO quote date.
// A day without rows raises SubscriptOutOfRange and leaves the grid as it was.
void WriteCmtDay(const CmtDay& day, GridModel& grid, Session& session);

} // namespace yarrow
