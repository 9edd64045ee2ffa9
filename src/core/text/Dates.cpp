#include "core/text/Dates.h"

#include "core/text/CharClass.h"
#include "core/text/RuntimeError.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <iomanip>
#include <mutex>
#include <sstream>
#include <vector>

namespace yarrow {

using namespace std::chrono;

namespace {

constexpr std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
bool IsSeparator(char c) {
    return c == '/' || c == '-' || c == '.' || c == ',';
}

std::string LowerText(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = Lower(c);
    return out;
}

std::optional<Date> ValidDate(int y, int m, int d) {
    if (y < kMinYear || y > kMaxYear || m < 1 || m > 12 || d < 1)
        return std::nullopt;
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
    if (!ymd.ok())
        return std::nullopt;
    return sys_days{ymd};
}

// Month 1..12 for a full English name, its three-letter abbreviation or "Sept"; 0 otherwise.
int MonthFromWord(std::string_view word) {
    const std::string w = LowerText(word);
    if (w == "sept")
        return 9;
    for (int i = 0; i < 12; ++i) {
        const std::string full = LowerText(kMonthNames[static_cast<size_t>(i)]);
        if (w == full || w == full.substr(0, 3))
            return i + 1;
    }
    return 0;
}

bool IsWeekdayWord(std::string_view word) {
    const std::string w = LowerText(word);
    for (const char* name : kWeekdayNames) {
        const std::string full = LowerText(name);
        if (w == full || w == full.substr(0, 3))
            return true;
    }
    return false;
}

// Years written with one or two digits fall in 1930..2029.
int FullYear(const std::string& digits) {
    const int y = std::stoi(digits);
    if (digits.size() <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

struct Token {
    bool number;
    std::string text;
};

// Splits a date text into numbers and words. Between two tokens there may be blanks and at most one
// of '/', '-', '.', ','; commas only where a month name is written. Fails on anything else.
std::optional<std::vector<Token>> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    size_t i = 0;
    const size_t n = text.size();
    int pendingSeparators = 0;
    bool comma = false;
    while (i < n) {
        const char c = text[i];
        if (IsDigit(c) || IsLetter(c)) {
            if (pendingSeparators > 1 || (tokens.empty() && pendingSeparators > 0))
                return std::nullopt;
            const bool number = IsDigit(c);
            size_t j = i;
            while (j < n && (number ? IsDigit(text[j]) : IsLetter(text[j])))
                ++j;
            tokens.push_back({number, std::string(text.substr(i, j - i))});
            pendingSeparators = 0;
            i = j;
        } else if (IsBlank(c)) {
            ++i;
        } else if (IsSeparator(c)) {
            comma = comma || c == ',';
            ++pendingSeparators;
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (pendingSeparators > 0 || tokens.empty())
        return std::nullopt;
    bool word = false;
    for (const Token& t : tokens)
        word = word || !t.number;
    if (comma && !word)
        return std::nullopt;
    return tokens;
}

std::optional<Date> ParseNumeric(const std::vector<Token>& t, DateOrder order) {
    if (t.size() != 3)
        return std::nullopt;
    for (const Token& k : t)
        if (k.text.size() > 4)
            return std::nullopt;
    const auto& a = t[0].text;
    const auto& b = t[1].text;
    const auto& c = t[2].text;
    if (a.size() >= 3) { // yyyy-mm-dd
        if (b.size() > 2 || c.size() > 2)
            return std::nullopt;
        return ValidDate(std::stoi(a), std::stoi(b), std::stoi(c));
    }
    if (b.size() > 2)
        return std::nullopt;
    const int y = FullYear(c);
    const int first = std::stoi(a);
    const int second = std::stoi(b);
    // The program's order first; the other order only when it is the one valid reading.
    if (order == DateOrder::MonthFirst) {
        if (auto d = ValidDate(y, first, second))
            return d;
        return ValidDate(y, second, first);
    }
    if (auto d = ValidDate(y, second, first))
        return d;
    return ValidDate(y, first, second);
}

std::optional<Date> ParseWithMonthName(const std::vector<Token>& t) {
    if (t.size() != 3)
        return std::nullopt;
    int monthIndex = -1;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].number)
            continue;
        if (monthIndex >= 0)
            return std::nullopt;
        monthIndex = static_cast<int>(i);
    }
    if (monthIndex < 0)
        return std::nullopt;
    const int m = MonthFromWord(t[static_cast<size_t>(monthIndex)].text);
    if (m == 0)
        return std::nullopt;
    std::vector<std::string> nums;
    for (const Token& k : t)
        if (k.number)
            nums.push_back(k.text);
    const std::string& n1 = nums[0];
    const std::string& n2 = nums[1];
    if (n1.size() > 4 || n2.size() > 4)
        return std::nullopt;
    // A number of three or four digits is the year ("2010 Dec 31"); otherwise day before year.
    if (n1.size() >= 3) {
        if (n2.size() > 2)
            return std::nullopt;
        return ValidDate(std::stoi(n1), m, std::stoi(n2));
    }
    if (n1.size() > 2)
        return std::nullopt;
    return ValidDate(FullYear(n2), m, std::stoi(n1));
}

// The first day of the month numbered year * 12 + (month - 1); Overflow outside the years
// 100..9999, checked before chrono's short-ranged year could wrap.
year_month_day FirstOfMonth(long long index) {
    const long long y = index >= 0 ? index / 12 : (index - 11) / 12;
    if (y < kMinYear || y > kMaxYear)
        throw RuntimeError::Overflow();
    const unsigned m = static_cast<unsigned>(index - y * 12) + 1;
    return year_month_day{year{static_cast<int>(y)}, month{m}, day{1}};
}

std::string TwoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

} // namespace

std::string DateFormatText(DateOrder order) {
    return order == DateOrder::DayFirst ? kDayFirstFormat : kMonthFirstFormat;
}

DateOrder DateOrderFromFormat(std::string_view format) {
    return !format.empty() && Lower(format.front()) == 'd' ? DateOrder::DayFirst : DateOrder::MonthFirst;
}

DateOrder DateOrderOfLocale(const std::locale& locale) {
    switch (std::use_facet<std::time_get<char>>(locale).date_order()) {
    // Only a short date that starts with the month is month first; a year-first one is not.
    case std::time_base::dmy:
    case std::time_base::ydm:
    case std::time_base::ymd:
        return DateOrder::DayFirst;
    case std::time_base::mdy:
        return DateOrder::MonthFirst;
    default:
        break;
    }
    std::tm tm{};
    tm.tm_year = 99;
    tm.tm_mon = 11;
    tm.tm_mday = 13;
    std::ostringstream os;
    os.imbue(locale);
    os << std::put_time(&tm, "%x");
    const std::string s = os.str();
    const size_t day = s.find("13");
    const size_t month = s.find("12");
    if (day == std::string::npos || month == std::string::npos)
        return DateOrder::MonthFirst;
    return month == s.find_first_not_of(' ') ? DateOrder::MonthFirst : DateOrder::DayFirst;
}

DateOrder SystemDateOrder() {
    // std::locale("") throws when the environment names a locale that is not installed.
    try {
        return DateOrderOfLocale(std::locale(""));
    } catch (const std::exception&) {
        return DateOrder::MonthFirst;
    }
}

std::string DetectDateFormat(DateOrder systemOrder) {
    const std::string text = ShortDate(MakeDate(1999, 12, 13), systemOrder);
    return text.rfind("12", 0) == 0 ? kMonthFirstFormat : kDayFirstFormat;
}

Date MakeDate(int year, int month, int day) {
    if (auto d = ValidDate(year, month, day))
        return *d;
    throw RuntimeError::InvalidProcedureCall();
}

Date DateSerial(int y, int m, int d) {
    const Date first = sys_days{FirstOfMonth(static_cast<long long>(y) * 12 + (m - 1))};
    const long long serial = first.time_since_epoch().count() + (static_cast<long long>(d) - 1);
    if (serial < sys_days{year{kMinYear} / 1 / 1}.time_since_epoch().count() ||
        serial > sys_days{year{kMaxYear} / 12 / 31}.time_since_epoch().count())
        throw RuntimeError::Overflow();
    return Date{days{serial}};
}

int Year(Date d) {
    return static_cast<int>(year_month_day{d}.year());
}
int Month(Date d) {
    return static_cast<int>(static_cast<unsigned>(year_month_day{d}.month()));
}
int Day(Date d) {
    return static_cast<int>(static_cast<unsigned>(year_month_day{d}.day()));
}
int Weekday(Date d) {
    return static_cast<int>(weekday{d}.c_encoding()) + 1;
}

Date Today() {
    // The local calendar date; std::localtime shares a static buffer, hence the lock.
    static std::mutex mutex;
    const std::time_t now = std::time(nullptr);
    std::lock_guard<std::mutex> lock(mutex);
    const std::tm* tm = std::localtime(&now);
    return MakeDate(tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday);
}

std::optional<Date> ParseDate(std::string_view text, DateOrder order) {
    auto tokens = Tokenize(text);
    if (!tokens)
        return std::nullopt;
    // A leading weekday name ("Friday, December 31, 2010") says nothing the rest does not.
    const Token& first = tokens->front();
    if (!first.number && MonthFromWord(first.text) == 0 && IsWeekdayWord(first.text))
        tokens->erase(tokens->begin());
    bool allNumbers = true;
    for (const Token& t : *tokens)
        allNumbers = allNumbers && t.number;
    return allNumbers ? ParseNumeric(*tokens, order) : ParseWithMonthName(*tokens);
}

bool IsDate(std::string_view text, DateOrder order) {
    return ParseDate(text, order).has_value();
}

Date CDate(std::string_view text, DateOrder order) {
    if (auto d = ParseDate(text, order))
        return *d;
    throw RuntimeError::TypeMismatch();
}

std::string FormatDate(Date d, std::string_view pattern) {
    const year_month_day ymd{d};
    const int y = static_cast<int>(ymd.year());
    const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
    const int dd = static_cast<int>(static_cast<unsigned>(ymd.day()));
    std::string out;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = Lower(pattern[i]);
        if (c != 'd' && c != 'm' && c != 'y') {
            out.push_back(pattern[i++]);
            continue;
        }
        size_t run = 0;
        while (i + run < pattern.size() && Lower(pattern[i + run]) == c)
            ++run;
        i += run;
        if (c == 'd') {
            if (run == 1)
                out += std::to_string(dd);
            else if (run == 2)
                out += TwoDigits(dd);
            else
                out += WeekdayName(Weekday(d), run == 3);
        } else if (c == 'm') {
            if (run == 1)
                out += std::to_string(m);
            else if (run == 2)
                out += TwoDigits(m);
            else
                out += MonthName(m, run == 3);
        } else {
            if (run <= 2) {
                out += TwoDigits(y % 100);
            } else {
                std::string ys = std::to_string(y);
                out += std::string(ys.size() < 4 ? 4 - ys.size() : 0, '0') + ys;
            }
        }
    }
    return out;
}

std::string ShortDate(Date d, DateOrder order) {
    return FormatDate(d, order == DateOrder::DayFirst ? "d/m/yyyy" : "m/d/yyyy");
}

Date AddMonths(Date d, int n) {
    const year_month_day ymd{d};
    const long long index = static_cast<long long>(static_cast<int>(ymd.year())) * 12 +
                            (static_cast<unsigned>(ymd.month()) - 1) + n;
    const year_month_day first = FirstOfMonth(index);
    const day last = year_month_day_last{first.year(), month_day_last{first.month()}}.day();
    return sys_days{first.year() / first.month() / std::min(ymd.day(), last)};
}

Date AddYears(Date d, int n) {
    return AddMonths(d, static_cast<int>(std::clamp(12LL * n, -1000000LL, 1000000LL)));
}

int32_t DaysBetween(Date later, Date earlier) {
    return static_cast<int32_t>((later - earlier).count());
}

std::string WeekdayName(int weekday, bool abbreviate) {
    if (weekday < 1 || weekday > 7)
        throw RuntimeError::InvalidProcedureCall();
    const std::string name = kWeekdayNames[static_cast<size_t>(weekday - 1)];
    return abbreviate ? name.substr(0, 3) : name;
}

std::string MonthName(int month, bool abbreviate) {
    if (month < 1 || month > 12)
        throw RuntimeError::InvalidProcedureCall();
    const std::string name = kMonthNames[static_cast<size_t>(month - 1)];
    return abbreviate ? name.substr(0, 3) : name;
}

float YearsBetween(std::string& later, std::string& earlier, DateOrder order) {
    const Date l = CDate(later, order);
    const Date e = CDate(earlier, order);
    // A day count over 365 is always within the single range.
    float years = static_cast<float>(DaysBetween(l, e) / 365.0);
    if (years >= 0.0f)
        return years;
    // A day above 12 cannot be a month: the exchanged text would read back as the same date in the
    // other order, so the text stays as it is and the negative difference is the answer.
    if (Day(e) > 12)
        return years;
    const Date exchanged = MakeDate(Year(e), Day(e), Month(e));
    earlier = FormatDate(exchanged, DateFormatText(order));
    return static_cast<float>(DaysBetween(l, exchanged) / 365.0);
}

} // namespace yarrow
