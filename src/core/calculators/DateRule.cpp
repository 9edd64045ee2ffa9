#include "core/calculators/DateRule.h"

#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"
#include "core/text/RuntimeError.h"

namespace yarrow {

DateRuleChoice DefaultDateRule(Date today) {
    DateRuleChoice c;
    c.month = Month(today) - 1;
    c.year = std::to_string(Year(today));
    return c;
}

std::optional<Date> DateRule(const DateRuleChoice& choice, Dialogs& dialogs) {
    auto invalidYear = [&] {
        dialogs.Message("Invalid year", "Calculator", MessageIcon::Critical);
        return std::nullopt;
    };
    if (!IsNumeric(choice.year))
        return invalidYear();
    try {
        int year = CInt(SafeSingle(choice.year));
        if (year < 1900)
            year += 2000;
        const int month = (choice.month < 0 ? 0 : choice.month) + 1;
        const int reference = choice.reference + 1;
        int first = 1;
        while (first < 7 && Weekday(DateSerial(year, month, first)) != reference)
            ++first;
        int third = first + 14;
        int diff = choice.weekday - choice.reference;
        if (diff == 0)
            diff = 7;
        if (choice.after && diff < 1)
            third += 7;
        if (!choice.after && diff > 0)
            third -= 7;
        return DateSerial(year, month, third + diff);
    } catch (const RuntimeError&) {
        // A year beyond 16 bits or a date outside the calendar's years.
        return invalidYear();
    }
}

} // namespace yarrow
