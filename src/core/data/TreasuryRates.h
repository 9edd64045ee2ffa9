#pragma once

#include "core/text/Dates.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yarrow {

// The eleven series of the history files, in the column order of the bundled file. CmtHistory keeps
// ten of them (all but DGS1MO); the files keep all eleven.
constexpr int kCmtFileSeries = 11;
constexpr std::array<std::string_view, kCmtFileSeries> kCmtFileCodes = {
    "DGS1", "DGS10", "DGS1MO", "DGS2", "DGS20", "DGS3", "DGS30", "DGS3MO", "DGS5", "DGS6MO", "DGS7"};

// Index of a code in kCmtFileCodes, or -1.
int CmtFileSeriesIndex(std::string_view code);

// One day of rates in hundredths of a percent, CmtHistory::kAbsent where a series has no value.
struct CmtRecord {
    Date date{};
    std::array<int16_t, kCmtFileSeries> rates{};
    bool Empty() const;
};

// A downloaded file read: its days in rising order, and what was said about it (a dropped partial
// last line).
struct RatesFile {
    std::vector<CmtRecord> records;
    std::vector<std::string> notes;
    bool newestFirst = false; // the order the file had
    bool truncated = false;   // a partial last line was dropped
};

// A downloaded file that cannot be used: an HTML page, another layout, a refused value. The text
// names the file and, for a value, the row.
class RatesFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Lowest and highest rate accepted from a download, in hundredths of a percent.
constexpr int kLowestRate = -100;
constexpr int kHighestRate = 3000;

// The Treasury's yearly CSV of daily par yields: a heading row with "Date" and maturity headings
// ("1 Mo" .. "30 Yr", quoted or not, any order; headings outside the eleven series ignored), dates
// MM/DD/YYYY or yyyy-mm-dd, newest first or last, an empty field a series without a value. `name`
// names the file in messages.
RatesFile ParseTreasuryRates(std::string_view text, const std::string& name);

// One FRED series: "observation_date,CODE" (or "DATE,CODE"), ISO dates, "." or empty for no value.
// `code` is the series asked for; a file of another series is another layout. Days without a value
// are left out.
RatesFile ParseFredSeries(std::string_view text, const std::string& name, std::string_view code);

} // namespace yarrow
