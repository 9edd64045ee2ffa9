#pragma once

#include <chrono>
#include <cstdint>
#include <locale>
#include <optional>
#include <string>
#include <string_view>

namespace yarrow {

// Dates are serial days. The program date format is "mm/dd/yyyy" or "dd/mm/yyyy"; the system
// short date uses the same order with a four-digit year and no leading zeros.
using Date = std::chrono::sys_days;

enum class DateOrder { MonthFirst, DayFirst };

inline constexpr const char* kMonthFirstFormat = "mm/dd/yyyy";
inline constexpr const char* kDayFirstFormat = "dd/mm/yyyy";

std::string DateFormatText(DateOrder order);            // "mm/dd/yyyy" / "dd/mm/yyyy"
DateOrder DateOrderFromFormat(std::string_view format); // "dd/..." is DayFirst, anything else MonthFirst

// The order the machine's locale uses for short dates (LC_ALL, LC_TIME, LANG through the C++
// locale's time_get::date_order); month first when the locale says nothing or is unavailable.
DateOrder SystemDateOrder();
// The same answer for a given locale. Where date_order gives no answer (libstdc++ never does), the
// locale's short date ("%x") of 13 December 1999 decides: month first only when it begins with
// "12", so a year-first short date (1999-12-13) gives day first.
DateOrder DateOrderOfLocale(const std::locale& locale);

// Formats 13 December 1999 in the system's general date form (ShortDate with `systemOrder`) and
// answers "mm/dd/yyyy" when the result begins with "12", else "dd/mm/yyyy".
std::string DetectDateFormat(DateOrder systemOrder);

// A valid calendar date (no rollover); a day, month or year (100..9999) that makes no date raises
// InvalidProcedureCall.
Date MakeDate(int year, int month, int day);
// The platform's date serial: a month beyond 1..12 carries into the year and a day beyond the
// month's days carries into the next months (2011, 2, 29 is 1 March 2011; day 0 is the last day of
// the previous month).
Date DateSerial(int year, int month, int day);
int Year(Date d);
int Month(Date d);
int Day(Date d);
int Weekday(Date d); // 1 = Sunday .. 7 = Saturday
Date Today();

// Lenient parsing: numeric dates separated by '/', '-', '.' or blanks in `order`, or in the other
// order when that is the only valid reading; ISO yyyy-mm-dd; month names ("31 December 2010",
// "Dec 31, 2010", "December 31 2010"); two-digit years 00-29 are 20xx, 30-99 are 19xx.
// Leading and trailing blanks are ignored. Anything else is not a date.
std::optional<Date> ParseDate(std::string_view text, DateOrder order);
bool IsDate(std::string_view text, DateOrder order);
// As ParseDate, raising TypeMismatch when the text is not a date.
Date CDate(std::string_view text, DateOrder order);

// Pattern formatting (letters in either case): "d", "dd", "ddd" (Fri), "dddd" (Friday), "m", "mm",
// "mmm", "mmmm", "yy", "yyyy"; any other character is copied. FormatDate(d, "mm/dd/yyyy") ==
// "12/31/2010".
std::string FormatDate(Date d, std::string_view pattern);
// The system short date: "12/31/2010", "1/5/2011" (or "5/1/2011" day first).
std::string ShortDate(Date d, DateOrder order);

// Calendar month/year addition; the day is clipped to the end of a shorter month
// (31 Aug + 6 months = 28/29 Feb). A result outside the years 100..9999 raises Overflow.
Date AddMonths(Date d, int months);
Date AddYears(Date d, int years);

// Calendar days from earlier to later (negative when later is earlier).
int32_t DaysBetween(Date later, Date earlier);

// English names; a number outside 1..7 or 1..12 raises InvalidProcedureCall.
std::string WeekdayName(int weekday, bool abbreviate = false); // 1 = "Sunday"
std::string MonthName(int month, bool abbreviate = false);     // 1 = "January"

// (later - earlier) / 365 in single precision. When negative, `earlier` is rewritten in place as
// the same year with its day and month exchanged (formatted with the program format first, then
// re-assembled) and the difference is taken again: this undoes a day and month read the wrong way.
// When the day is above 12 no exchanged date exists; `earlier` is then left as it was and the
// negative result stands. Raises TypeMismatch when either text is not a date.
float YearsBetween(std::string& later, std::string& earlier, DateOrder order);

} // namespace yarrow
