// Date texts in both program orders: a date read is written and read back as itself, and the
// calendar arithmetic on it stays in range or raises. Input: "later \x01 earlier" or one text.

#include "FuzzInput.h"
#include "core/text/Dates.h"

using namespace yarrow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 256)
        return 0;
    const std::string input = fuzz::Text(data, size);
    const size_t cut = input.find('\x01');
    const std::string first = input.substr(0, cut);
    for (const DateOrder order : {DateOrder::MonthFirst, DateOrder::DayFirst}) {
        const std::optional<Date> d = ParseDate(first, order);
        if (!d)
            continue;
        fuzz::Require(ParseDate(ShortDate(*d, order), order) == d);
        fuzz::Require(ParseDate(FormatDate(*d, DateFormatText(order)), order) == d);
        fuzz::Answer([&] { (void)AddMonths(*d, 6); });
        fuzz::Answer([&] { (void)AddYears(*d, -100); });
        if (cut != std::string::npos) {
            std::string later = first;
            std::string earlier = input.substr(cut + 1);
            fuzz::Answer([&] { fuzz::RequireFinite(YearsBetween(later, earlier, order)); });
        }
    }
    return 0;
}
