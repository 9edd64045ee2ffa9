#pragma once

#include "core/text/Dates.h"

#include <optional>
#include <string>

namespace yarrow {

class Dialogs;

// A date given by a rule such as "Saturday after the third Friday of December 2026". Weekdays
// and months are list indexes (Sunday = 0, January = 0), as the panel's lists hold them.
struct DateRuleChoice {
    int weekday = 6;   // the day sought
    bool after = true; // after (or before) the third reference day
    int reference = 5; // the weekday whose third occurrence anchors the rule
    int month = 0;     // -1 when none is chosen: January
    std::string year;  // as typed; below 1900 counts from 2000 (3 is 2003, 99 is 2099)
};

// The defaults the panel starts with: Saturday after the third Friday of today's month and year.
DateRuleChoice DefaultDateRule(Date today);

// The date of the rule. A year that is not a number, or that carries the date out of the years
// the calendar holds, shows "Invalid year" and gives no date.
std::optional<Date> DateRule(const DateRuleChoice& choice, Dialogs& dialogs);

} // namespace yarrow
