#pragma once

#include "core/data/CmtHistory.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yarrow {

// A recession from its peak month to its trough month (a business-cycle dating).
struct Recession {
    int peakYear = 0, peakMonth = 0;
    int troughYear = 0, troughMonth = 0;
    Date Start() const; // first day of the peak month
    Date End() const;   // last day of the trough month
    std::string PeakText() const; // "2001-03"
};

class RecessionsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A header line, then "YYYY-MM TAB YYYY-MM" (peak, trough) per line, in order, a trough never
// before its peak; CR LF or LF, blank lines ignored. Anything else raises RecessionsError naming
// the line.
std::vector<Recession> ParseRecessions(std::string_view text);
// The bundled file (history/us-recessions.tsv among the resources).
std::string RecessionsFile();
std::vector<Recession> LoadRecessions();

} // namespace yarrow
