#include "core/text/Dates.h"

#include "core/text/RuntimeError.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace yarrow {
namespace {

struct ParseCase {
    const char* text;
    DateOrder order;
    int year, month, day; // year 0: not a date
};

class ParseDateTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDateTest, Reads) {
    const ParseCase& c = GetParam();
    const auto d = ParseDate(c.text, c.order);
    EXPECT_EQ(IsDate(c.text, c.order), c.year != 0) << '"' << c.text << '"';
    if (c.year == 0) {
        EXPECT_FALSE(d.has_value()) << '"' << c.text << '"';
        EXPECT_THROW(CDate(c.text, c.order), RuntimeError);
        return;
    }
    ASSERT_TRUE(d.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*d, MakeDate(c.year, c.month, c.day)) << '"' << c.text << '"';
    EXPECT_EQ(CDate(c.text, c.order), *d);
}

constexpr auto MF = DateOrder::MonthFirst;
constexpr auto DF = DateOrder::DayFirst;

INSTANTIATE_TEST_SUITE_P(
    BothOrders, ParseDateTest,
    ::testing::Values(ParseCase{"12/31/2010", MF, 2010, 12, 31}, ParseCase{"31/12/2010", DF, 2010, 12, 31},
                      ParseCase{"01/05/2011", MF, 2011, 1, 5}, ParseCase{"01/05/2011", DF, 2011, 5, 1},
                      ParseCase{"1/5/2011", MF, 2011, 1, 5}, ParseCase{"1/5/2011", DF, 2011, 5, 1},
                      // The other order when it is the only valid reading.
                      ParseCase{"13/12/1999", MF, 1999, 12, 13}, ParseCase{"12/13/1999", DF, 1999, 12, 13},
                      ParseCase{"31/12/2010", MF, 2010, 12, 31},
                      // Neither order makes a date.
                      ParseCase{"2/30/2010", MF, 0, 0, 0}, ParseCase{"30/2/2010", DF, 0, 0, 0},
                      ParseCase{"13/13/2010", MF, 0, 0, 0}, ParseCase{"0/5/2010", MF, 0, 0, 0},
                      ParseCase{"2/29/2011", MF, 0, 0, 0}, ParseCase{"2/29/2012", MF, 2012, 2, 29},
                      ParseCase{"29.2.2000", DF, 2000, 2, 29}, ParseCase{"29.2.1900", DF, 0, 0, 0},
                      ParseCase{"12-31-2010", MF, 2010, 12, 31}, ParseCase{"31.12.2010", DF, 2010, 12, 31},
                      ParseCase{"12 31 2010", MF, 2010, 12, 31},
                      ParseCase{"  12/31/2010\r\n", MF, 2010, 12, 31}));

INSTANTIATE_TEST_SUITE_P(
    TwoDigitYears, ParseDateTest,
    ::testing::Values(ParseCase{"1/1/30", MF, 1930, 1, 1}, ParseCase{"1/1/29", MF, 2029, 1, 1},
                      ParseCase{"1/1/00", MF, 2000, 1, 1}, ParseCase{"1/1/99", MF, 1999, 1, 1},
                      ParseCase{"1/1/5", MF, 2005, 1, 1}, ParseCase{"31/12/99", DF, 1999, 12, 31},
                      ParseCase{"1/1/0100", MF, 100, 1, 1}, ParseCase{"1/1/099", MF, 0, 0, 0},
                      ParseCase{"1/1/12345", MF, 0, 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    IsoAndNames, ParseDateTest,
    ::testing::Values(ParseCase{"2010-06-30", MF, 2010, 6, 30}, ParseCase{"2010-06-30", DF, 2010, 6, 30},
                      ParseCase{"2010/6/3", DF, 2010, 6, 3}, ParseCase{"2010-30-06", MF, 0, 0, 0},
                      ParseCase{"31 December 2010", MF, 2010, 12, 31},
                      ParseCase{"Dec 31, 2010", DF, 2010, 12, 31},
                      ParseCase{"December 31 2010", MF, 2010, 12, 31},
                      ParseCase{"31-Dec-10", MF, 2010, 12, 31}, ParseCase{"31-dec-1930", MF, 1930, 12, 31},
                      ParseCase{"2010 Dec 31", MF, 2010, 12, 31}, ParseCase{"Sept 1, 2010", MF, 2010, 9, 1},
                      ParseCase{"Friday, December 31, 2010", MF, 2010, 12, 31},
                      ParseCase{"Fri 12/31/2010", MF, 2010, 12, 31}, ParseCase{"Friday", MF, 0, 0, 0},
                      ParseCase{"Fri Sat 12/31/2010", MF, 0, 0, 0}, ParseCase{"31Dec2010", MF, 2010, 12, 31},
                      ParseCase{"Dec. 31, 2010", MF, 2010, 12, 31}, ParseCase{"Feb 30 2010", MF, 0, 0, 0},
                      ParseCase{"Dec Jan 2010", MF, 0, 0, 0}, ParseCase{"Decem 31 2010", MF, 0, 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    NotDates, ParseDateTest,
    ::testing::Values(ParseCase{"", MF, 0, 0, 0}, ParseCase{"   ", MF, 0, 0, 0}, ParseCase{"30", MF, 0, 0, 0},
                      ParseCase{"1.5", MF, 0, 0, 0}, ParseCase{"12/31", MF, 0, 0, 0},
                      ParseCase{"12/31/2010/1", MF, 0, 0, 0}, ParseCase{"12//31/2010", MF, 0, 0, 0},
                      ParseCase{"/12/31/2010", MF, 0, 0, 0}, ParseCase{"12/31/2010/", MF, 0, 0, 0},
                      ParseCase{"12,31,2010", MF, 0, 0, 0}, ParseCase{"abc", MF, 0, 0, 0},
                      ParseCase{"12/31/2010 x", MF, 0, 0, 0}, ParseCase{"3TD", MF, 0, 0, 0},
                      ParseCase{"12:30", MF, 0, 0, 0}));

TEST(DateFormatTest, ProgramFormatAndShortDate) {
    const Date d = MakeDate(2010, 12, 31);
    EXPECT_EQ(FormatDate(d, DateFormatText(DateOrder::MonthFirst)), "12/31/2010");
    EXPECT_EQ(FormatDate(d, DateFormatText(DateOrder::DayFirst)), "31/12/2010");
    EXPECT_EQ(FormatDate(MakeDate(2011, 1, 5), "mm/dd/yyyy"), "01/05/2011");
    EXPECT_EQ(ShortDate(d, DateOrder::MonthFirst), "12/31/2010");
    EXPECT_EQ(ShortDate(MakeDate(2011, 1, 5), DateOrder::MonthFirst), "1/5/2011");
    EXPECT_EQ(ShortDate(MakeDate(2011, 1, 5), DateOrder::DayFirst), "5/1/2011");
    EXPECT_EQ(ShortDate(MakeDate(123, 1, 5), DateOrder::DayFirst), "5/1/0123");
}

TEST(DateFormatTest, Patterns) {
    const Date d = MakeDate(2010, 12, 31); // a Friday
    EXPECT_EQ(FormatDate(d, "d mmm yy"), "31 Dec 10");
    EXPECT_EQ(FormatDate(d, "dddd, mmmm d, yyyy"), "Friday, December 31, 2010");
    EXPECT_EQ(FormatDate(d, "ddd"), "Fri");
    EXPECT_EQ(FormatDate(d, "YYYY-MM-DD"), "2010-12-31");
    EXPECT_EQ(FormatDate(MakeDate(2005, 3, 4), "m/d/yy"), "3/4/05");
    EXPECT_EQ(FormatDate(d, "[x]"), "[x]");
}

TEST(DateFormatTest, FormatsReadBack) {
    for (DateOrder order : {DateOrder::MonthFirst, DateOrder::DayFirst}) {
        for (Date d = MakeDate(1999, 12, 20); d < MakeDate(2001, 1, 20); d += std::chrono::days{1}) {
            EXPECT_EQ(CDate(FormatDate(d, DateFormatText(order)), order), d);
            EXPECT_EQ(CDate(ShortDate(d, order), order), d);
        }
    }
}

TEST(DateFormatTest, FormatTextAndOrder) {
    EXPECT_EQ(DateFormatText(DateOrder::MonthFirst), "mm/dd/yyyy");
    EXPECT_EQ(DateFormatText(DateOrder::DayFirst), "dd/mm/yyyy");
    EXPECT_EQ(DateOrderFromFormat("dd/mm/yyyy"), DateOrder::DayFirst);
    EXPECT_EQ(DateOrderFromFormat("mm/dd/yyyy"), DateOrder::MonthFirst);
    EXPECT_EQ(DateOrderFromFormat(""), DateOrder::MonthFirst);
}

TEST(DateFormatTest, DetectDateFormat) {
    EXPECT_EQ(DetectDateFormat(DateOrder::MonthFirst), "mm/dd/yyyy");
    EXPECT_EQ(DetectDateFormat(DateOrder::DayFirst), "dd/mm/yyyy");
}

TEST(DateFormatTest, ClassicLocaleIsMonthFirst) {
    EXPECT_EQ(DateOrderOfLocale(std::locale::classic()), DateOrder::MonthFirst);
}

// Only where the machine has these locales installed.
static bool CanCreateLocale(const std::string& name) {
    try {
        std::locale probe(name);
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

TEST(DateFormatTest, NamedLocales) {
    struct {
        const char* name;
        DateOrder order;
    } cases[] = {{"en_US.UTF-8", DateOrder::MonthFirst},
                 {"en_GB.UTF-8", DateOrder::DayFirst},
                 {"de_DE.UTF-8", DateOrder::DayFirst},
                 {"sv_SE.UTF-8", DateOrder::DayFirst}, // 1999-12-13
                 {"ja_JP.UTF-8", DateOrder::DayFirst}};
    // A machine without these locales gets them compiled into a private folder from the C library's
    // locale sources (package "locales"). All are compiled before any lookup through that folder,
    // because the C library remembers a failed lookup for the rest of the process.
    std::vector<std::string> missing;
    std::filesystem::path compiled;
    for (const auto& c : cases)
        if (!CanCreateLocale(c.name))
            missing.push_back(c.name);
    if (!missing.empty()) {
        const auto dir =
            std::filesystem::temp_directory_path() / ("yarrow-locales-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        for (const std::string& name : missing) {
            const std::string command = "localedef -i " + name.substr(0, name.find('.')) + " -f UTF-8 " +
                                        (dir / name).string() + " >/dev/null 2>&1";
            ASSERT_EQ(std::system(command.c_str()), 0) << "localedef could not compile " << name;
        }
        setenv("LOCPATH", dir.c_str(), 1);
        compiled = dir;
    }
    for (const auto& c : cases) {
        ASSERT_TRUE(CanCreateLocale(c.name)) << c.name;
        EXPECT_EQ(DateOrderOfLocale(std::locale(c.name)), c.order) << c.name;
    }
    if (!compiled.empty()) {
        unsetenv("LOCPATH");
        std::filesystem::remove_all(compiled);
    }
}

TEST(DateFormatTest, SystemOrderFollowsTheEnvironment) {
    // Whatever the machine: a locale name that cannot be created falls back to month first.
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    const DateOrder order = SystemDateOrder();
    if (saved)
        setenv("LC_ALL", keep.c_str(), 1);
    else
        unsetenv("LC_ALL");
    EXPECT_EQ(order, DateOrder::MonthFirst);
}

struct MonthAddCase {
    int y, m, d, months;
    int ey, em, ed;
};

class AddMonthsTest : public ::testing::TestWithParam<MonthAddCase> {};

TEST_P(AddMonthsTest, ClipsToMonthEnd) {
    const MonthAddCase& c = GetParam();
    EXPECT_EQ(AddMonths(MakeDate(c.y, c.m, c.d), c.months), MakeDate(c.ey, c.em, c.ed));
}

INSTANTIATE_TEST_SUITE_P(
    MonthEnd, AddMonthsTest,
    ::testing::Values(MonthAddCase{2010, 8, 31, 6, 2011, 2, 28}, MonthAddCase{2011, 8, 31, 6, 2012, 2, 29},
                      MonthAddCase{2010, 1, 31, 1, 2010, 2, 28}, MonthAddCase{2010, 3, 31, -1, 2010, 2, 28},
                      MonthAddCase{2010, 5, 31, 1, 2010, 6, 30}, MonthAddCase{2010, 12, 15, 1, 2011, 1, 15},
                      MonthAddCase{2011, 1, 15, -1, 2010, 12, 15}, MonthAddCase{2010, 6, 30, 3, 2010, 9, 30},
                      MonthAddCase{2010, 6, 30, -6, 2009, 12, 30}, MonthAddCase{2010, 6, 30, 0, 2010, 6, 30},
                      MonthAddCase{2010, 6, 30, 360, 2040, 6, 30},
                      MonthAddCase{2012, 2, 29, -12, 2011, 2, 28}));

TEST(AddMonthsTest, SteppingFromAClippedDayStaysClipped) {
    const Date feb = AddMonths(MakeDate(2010, 8, 31), 6);
    EXPECT_EQ(feb, MakeDate(2011, 2, 28));
    EXPECT_EQ(AddMonths(feb, 6), MakeDate(2011, 8, 28));
    const Date leap = AddMonths(MakeDate(2011, 8, 31), 6);
    EXPECT_EQ(AddMonths(leap, 6), MakeDate(2012, 8, 29));
}

TEST(AddMonthsTest, Years) {
    EXPECT_EQ(AddYears(MakeDate(2012, 2, 29), 1), MakeDate(2013, 2, 28));
    EXPECT_EQ(AddYears(MakeDate(2010, 6, 30), 30), MakeDate(2040, 6, 30));
    EXPECT_EQ(AddYears(MakeDate(2010, 6, 30), -10), MakeDate(2000, 6, 30));
    EXPECT_THROW(AddYears(MakeDate(2010, 6, 30), 8000), RuntimeError);
    EXPECT_THROW(AddMonths(MakeDate(2010, 6, 30), -12 * 2000), RuntimeError);
}

TEST(CalendarTest, PartsAndNames) {
    const Date d = MakeDate(2010, 12, 31);
    EXPECT_EQ(Year(d), 2010);
    EXPECT_EQ(Month(d), 12);
    EXPECT_EQ(Day(d), 31);
    EXPECT_EQ(Weekday(d), 6); // Friday
    EXPECT_EQ(Weekday(MakeDate(2011, 1, 2)), 1);
    EXPECT_EQ(Weekday(MakeDate(2011, 1, 1)), 7);
    EXPECT_EQ(WeekdayName(1), "Sunday");
    EXPECT_EQ(WeekdayName(7, true), "Sat");
    EXPECT_EQ(MonthName(1), "January");
    EXPECT_EQ(MonthName(9, true), "Sep");
    EXPECT_THROW(WeekdayName(0), RuntimeError);
    EXPECT_THROW(MonthName(13), RuntimeError);
}

TEST(CalendarTest, DaysBetween) {
    EXPECT_EQ(DaysBetween(MakeDate(2011, 1, 1), MakeDate(2010, 12, 31)), 1);
    EXPECT_EQ(DaysBetween(MakeDate(2010, 12, 31), MakeDate(2011, 1, 1)), -1);
    EXPECT_EQ(DaysBetween(MakeDate(2013, 3, 1), MakeDate(2012, 3, 1)), 365);
    EXPECT_EQ(DaysBetween(MakeDate(2012, 3, 1), MakeDate(2011, 3, 1)), 366);
    EXPECT_EQ(DaysBetween(MakeDate(2040, 6, 30), MakeDate(2010, 6, 30)), 10958);
}

TEST(CalendarTest, MakeDateRefusesInvalidDates) {
    EXPECT_THROW(MakeDate(2011, 2, 29), RuntimeError);
    EXPECT_THROW(MakeDate(2011, 13, 1), RuntimeError);
    EXPECT_THROW(MakeDate(2011, 1, 0), RuntimeError);
    EXPECT_THROW(MakeDate(99, 1, 1), RuntimeError);
}

TEST(CalendarTest, DateRangeLimits) {
    EXPECT_THROW(DateSerial(9999, 12, 32), RuntimeError);
    EXPECT_THROW(DateSerial(100, 1, 0), RuntimeError);
    EXPECT_THROW(DateSerial(2010, 1, std::numeric_limits<int>::min()), RuntimeError);
    EXPECT_THROW(DateSerial(2010, std::numeric_limits<int>::max(), 1), RuntimeError);
    EXPECT_THROW(AddMonths(MakeDate(2010, 1, 31), std::numeric_limits<int>::max()), RuntimeError);
    EXPECT_THROW(AddYears(MakeDate(2010, 1, 31), std::numeric_limits<int>::min()), RuntimeError);
    EXPECT_EQ(AddMonths(MakeDate(9999, 11, 30), 1), MakeDate(9999, 12, 30));
    EXPECT_THROW(AddMonths(MakeDate(9999, 12, 1), 1), RuntimeError);
    EXPECT_EQ(AddMonths(MakeDate(100, 2, 28), -1), MakeDate(100, 1, 28));
    EXPECT_THROW(AddMonths(MakeDate(100, 1, 1), -1), RuntimeError);
}

TEST(CalendarTest, DateSerialCarries) {
    EXPECT_EQ(DateSerial(2011, 2, 29), MakeDate(2011, 3, 1));
    EXPECT_EQ(DateSerial(2010, 13, 1), MakeDate(2011, 1, 1));
    EXPECT_EQ(DateSerial(2010, 1, 0), MakeDate(2009, 12, 31));
    EXPECT_EQ(DateSerial(2010, 0, 15), MakeDate(2009, 12, 15));
    EXPECT_EQ(DateSerial(2012, 2, 29), MakeDate(2012, 2, 29));
}

TEST(CalendarTest, TodayIsNearTheSystemClock) {
    const auto utc = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    EXPECT_LE(std::abs(DaysBetween(Today(), utc)), 1);
}

struct YearsCase {
    const char* later;
    const char* earlier;
    DateOrder order;
    float years;
    const char* earlierAfter;
};

class YearsBetweenTest : public ::testing::TestWithParam<YearsCase> {};

TEST_P(YearsBetweenTest, Computes) {
    const YearsCase& c = GetParam();
    std::string later = c.later, earlier = c.earlier;
    EXPECT_FLOAT_EQ(YearsBetween(later, earlier, c.order), c.years);
    EXPECT_EQ(later, c.later);
    EXPECT_EQ(earlier, c.earlierAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Exchange, YearsBetweenTest,
    ::testing::Values(
        // Positive differences leave both texts alone.
        YearsCase{"12/31/2011", "12/31/2010", MF, 1.0f, "12/31/2010"},
        YearsCase{"2012-12-31", "2010-12-31", DF, 731.0f / 365, "2010-12-31"},
        YearsCase{"6/30/2010", "6/30/2010", MF, 0.0f, "6/30/2010"},
        // 05/03/2010 was meant as 5 March: the exchange finds it and rewrites the text.
        YearsCase{"04/15/2010", "05/03/2010", MF, 41.0f / 365, "03/05/2010"},
        YearsCase{"15/04/2010", "03/05/2010", DF, 41.0f / 365, "05/03/2010"},
        YearsCase{"4/15/2010", "2010-05-03", MF, 41.0f / 365, "03/05/2010"},
        // The exchanged date can still be later: the second difference stands.
        YearsCase{"01/15/2010", "02/03/2010", MF, -46.0f / 365, "03/02/2010"},
        // Day above 12: no exchanged date exists, the text stays and the result is negative.
        YearsCase{"12/31/2009", "06/30/2010", MF, -181.0f / 365, "06/30/2010"},
        YearsCase{"31/12/2009", "30/06/2010", DF, -181.0f / 365, "30/06/2010"}));

TEST(YearsBetweenTest, NotADateIsTypeMismatch) {
    std::string later = "12/31/2010", earlier = "soon";
    try {
        YearsBetween(later, earlier, MF);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    std::string bad = "31/31/2010", ok = "1/1/2010";
    EXPECT_THROW(YearsBetween(bad, ok, MF), RuntimeError);
}

TEST(YearsBetweenTest, ResultIsSinglePrecision) {
    std::string later = "12/31/2040", earlier = "6/30/2010";
    EXPECT_EQ(YearsBetween(later, earlier, MF), static_cast<float>(11142.0 / 365.0));
}

} // namespace
} // namespace yarrow
