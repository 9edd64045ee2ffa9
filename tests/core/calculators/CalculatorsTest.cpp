#include "core/calculators/ConvertQuote.h"
#include "core/calculators/DateRule.h"
#include "core/calculators/Keypad.h"
#include "core/calculators/Logarithm.h"
#include "core/calculators/PresentValue.h"
#include "core/grid/GridModel.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace yarrow {
namespace {

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

struct KeypadCase {
    const char* keys;     // separated by blanks; "P:text" pastes text
    const char* displays; // the display after each key
    const char* message;  // the one message shown, or ""
};

class KeypadTest : public ::testing::TestWithParam<KeypadCase> {};

TEST_P(KeypadTest, ShowsEachStep) {
    const KeypadCase& c = GetParam();
    RecordingDialogs dialogs;
    Keypad pad(dialogs);
    std::vector<std::string> shown;
    for (const std::string& key : Words(c.keys)) {
        if (key.rfind("P:", 0) == 0)
            pad.Paste(key.substr(2));
        else
            ASSERT_TRUE(pad.Key(key)) << key;
        shown.push_back(pad.Display());
    }
    EXPECT_EQ(shown, Words(c.displays)) << c.keys;
    if (*c.message) {
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.keys;
        EXPECT_EQ(dialogs.messages[0].text, c.message);
    } else {
        EXPECT_TRUE(dialogs.messages.empty()) << c.keys;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, KeypadTest,
    ::testing::Values(
        KeypadCase{"7 / 0 =", "7. 7. 0. 7.", "Can't divide by zero"},
        KeypadCase{"2 + 3 = X 4 =", "2. 2. 3. 5 5 4. 20", ""}, KeypadCase{"- 5", "-0. -5.", ""},
        KeypadCase{"1 2 . 5", "1. 12. 12. 12.5", ""}, KeypadCase{"9 - - 4 =", "9. 9. - -4. 13", ""},
        KeypadCase{"5 = =", "5. 5. 5.", ""}, KeypadCase{"5 0 X 1 0 % =", "5. 50. 50. 1. 10. 0.1 5", ""},
        KeypadCase{"2 0 0 + 1 0 % =", "2. 20. 200. 200. 1. 10. 0.1 20", ""},
        KeypadCase{"1 0 / 4 =", "1. 10. 10. 4. 2.5", ""},
        KeypadCase{"1 / 3 =", "1. 1. 3. 0.333333333333333", ""},
        // Left to right, each operator completing the last; CE keeps the pending operation.
        KeypadCase{"2 + 3 X 4 =", "2. 2. 3. 5 4. 20", ""}, KeypadCase{"8 - 2 CE 3 =", "8. 8. 2. 0. 3. 5", ""},
        KeypadCase{"- . 5 + 1 =", "-0. -0. -0.5 -0.5 1. 0.5", ""},
        KeypadCase{"2 + 3 C 4 =", "2. 2. 3. 0. 4. 4.", ""},
        // Input that leaves no number in the display reads as 0; a twice-pressed percent scales
        // again instead of jamming the keypad.
        KeypadCase{"P:abc + 2 =", "abc abc 2. 2", ""},
        KeypadCase{"8 / P:abc =", "8. 8. abc 8.", "Can't divide by zero"}, KeypadCase{"- %", "-0. 0", ""},
        KeypadCase{"5 + 3 % % =", "5. 5. 3. 0.03 0.0003 0.0015", ""},
        // Digits and an operator after a percent: the keypad still hears the next operators.
        KeypadCase{"5 + 3 % 8 6 = 2 + 2 =", "5. 5. 3. 0.03 8. 86. 430 2. 2 2. 4", ""},
        KeypadCase{"P:12 3", "12 123.", ""},
        KeypadCase{"P:1E+300 X P:1E+300 =", "1E+300 1E+300 1E+300 1E+300",
                   "An error has occurred. If the program does not continue "
                   "normally, please report this error, and the circumstances "
                   "surrounding it, to support@qal-yarrow.org.  The system "
                   "error is: Overflow"}));

TEST(KeypadTest, UsesTheLocaleSeparator) {
    RecordingDialogs dialogs;
    Keypad pad(dialogs, ",");
    for (const char* key : {"1", ",", "5", "X", "3", "="})
        pad.Key(key);
    EXPECT_EQ(pad.Display(), "4,5");
    EXPECT_FALSE(pad.Key("."));
    pad.Key("C");
    EXPECT_EQ(pad.Display(), "0,");
    EXPECT_EQ(pad.pendingOp(), " ");
    EXPECT_EQ(pad.operandCount(), 0);
}

struct RuleCase {
    int weekday, reference;
    bool after;
    int month;
    const char* year;
    int y, m, d;
};

class DateRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(DateRuleTest, FindsTheDate) {
    const RuleCase& c = GetParam();
    RecordingDialogs dialogs;
    const auto date = DateRule({c.weekday, c.after, c.reference, c.month, c.year}, dialogs);
    ASSERT_TRUE(date) << c.year;
    EXPECT_EQ(*date, MakeDate(c.y, c.m, c.d));
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Rules, DateRuleTest,
                         ::testing::Values(RuleCase{6, 5, true, 11, "2026", 2026, 12, 19},
                                           RuleCase{6, 5, true, 2, "2003", 2003, 3, 22},
                                           RuleCase{4, 5, false, 0, "2027", 2027, 1, 14},
                                           RuleCase{1, 5, true, 0, "2027", 2027, 1, 18},
                                           RuleCase{6, 5, false, 0, "2027", 2027, 1, 9},
                                           RuleCase{5, 5, true, 0, "2027", 2027, 1, 22},
                                           RuleCase{5, 5, false, 0, "2027", 2027, 1, 15},
                                           RuleCase{6, 5, true, 2, "3", 2003, 3, 22},
                                           RuleCase{6, 5, true, 0, "1850", 3850, 1, 19},
                                           // No month chosen is January.
                                           RuleCase{6, 5, true, -1, "2027", 2027, 1, 16},
                                           RuleCase{3, 4, false, 9, "99", 2099, 10, 14}));

TEST(DateRuleTest, RefusesYearsItCannotPlace) {
    for (const char* year : {"", "abc", "99999", "10000", "-9000"}) {
        RecordingDialogs dialogs;
        DateRuleChoice choice{6, true, 5, 11, year};
        EXPECT_FALSE(DateRule(choice, dialogs)) << year;
        ASSERT_EQ(dialogs.messages.size(), 1u) << year;
        EXPECT_EQ(dialogs.messages[0].text, "Invalid year");
        EXPECT_EQ(dialogs.messages[0].title, "Calculator");
    }
}

const Date kToday = MakeDate(2026, 12, 8);

struct ConvertCase {
    int index;
    QuoteType type;
    const char* today;
    const char* second;
    const char* quote;
    const char* result;     // the text shown, or the message
    const char* todayAfter; // the boxes after the conversion
    const char* secondAfter;
};

class ConvertQuoteTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertQuoteTest, Converts) {
    const ConvertCase& c = GetParam();
    RecordingDialogs dialogs;
    QuoteBoxes boxes{c.today, c.second, c.quote, "  T-Bill ", c.type};
    const QuoteResult r = c.index == 0 ? ConvertQuote(0, boxes, DateOrder::MonthFirst, kToday, dialogs)
                                       : ConvertRate(boxes, DateOrder::MonthFirst, kToday, dialogs);
    if (dialogs.messages.empty()) {
        EXPECT_FALSE(r.failed);
        EXPECT_EQ(r.text, c.result);
    } else {
        EXPECT_TRUE(r.failed);
        EXPECT_EQ(dialogs.messages[0].text.substr(0, std::string(c.result).size()), c.result);
    }
    EXPECT_EQ(boxes.today, c.todayAfter);
    EXPECT_EQ(boxes.second, c.secondAfter);
}

constexpr QuoteType TB = QuoteType::TBill, LI = QuoteType::Libor, ZE = QuoteType::Zero,
                    DI = QuoteType::Discrete;

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertQuoteTest,
    ::testing::Values(
        ConvertCase{0, TB, "01/01/2027", "91", "", "0.24931507", "01/01/2027", "04/02/2027"},
        ConvertCase{0, TB, "not a date", "10", "", "0.02739726", "12/08/2026", "12/18/2026"},
        ConvertCase{0, TB, "12/08/2026", "12/08/2025", "", "-1.00", "12/08/2026", "12/08/2025"},
        ConvertCase{0, TB, "12/08/2026", "", "", "Please enter both dates", "12/08/2026", ""},
        ConvertCase{1, TB, "01/01/2027", "04/01/2027", "4.5", "0.0458836", "01/01/2027", "04/01/2027"},
        ConvertCase{1, TB, "01/01/2027", "90", "4.5", "0.0458836", "01/01/2027", "04/01/2027"},
        ConvertCase{1, LI, "01/01/2027", "180", "0.05", "0.0500711", "01/01/2027", "06/30/2027"},
        ConvertCase{1, ZE, "01/01/2027", "365", "95", "0.0512933", "01/01/2027", "01/01/2028"},
        ConvertCase{1, DI, "", "2", "0.045", "0.0445012", "", "2"},
        // A LIBOR quote is taken as typed, never as a percentage: 5 a year over 180 days.
        ConvertCase{1, LI, "01/01/2027", "180", "5", "2.5403249", "01/01/2027", "06/30/2027"},
        ConvertCase{1, TB, "01/01/2027", "90", "x", "Invalid Entry for T-Bill", "01/01/2027", "04/01/2027"},
        ConvertCase{1, ZE, "01/01/2027", "90", "0", "Invalid Price", "01/01/2027", "04/01/2027"},
        ConvertCase{1, ZE, "01/01/2027", "0", "95", "An error has occurred.", "01/01/2027", "01/01/2027"},
        ConvertCase{1, TB, "01/01/2027", "9000", "4.5", "An error has occurred.", "01/01/2027", "08/23/2051"},
        ConvertCase{1, TB, "01/01/2027", "1E+30", "4.5", "An error has occurred.", "01/01/2027", "1E+30"},
        ConvertCase{1, DI, "", "2", "0", "Invalid interest rate", "", "2"},
        ConvertCase{1, DI, "", "366", "0.045", "Invalid frequency", "", "366"},
        ConvertCase{1, DI, "", "1E+9", "0.045", "Invalid frequency", "", "1E+9"}));

TEST(Check_RateTest, TakesRatesOfOneOrMoreAsPercentages) {
    struct {
        double in;
        const char* text;
        double out;
    } cases[] = {{5, "Interest rate in row2", 0.05},
                 {0.05, "Interest", 0.05},
                 {1, "Volatility", 0.01},
                 {12, "Dividend", 0.12},
                 {5, "LIBOR", 5},
                 {5, "INTEREST", 5}};
    for (auto c : cases) {
        double x = c.in;
        Check_Rate(x, c.text);
        EXPECT_DOUBLE_EQ(x, c.out) << c.text;
    }
}

TEST(PresentValueTest, DiscountsTheRows) {
    struct {
        std::vector<std::vector<const char*>> rows;
        const char* value; // nullptr: refused
    } cases[] = {{{{"1", "0.05", "100"}, {"2", "5", "100"}}, "185.606689"},
                 {{{"1", "0.05", "100"}, {"", "", ""}, {"3", "", "50"}}, "145.12294"},
                 {{}, "0.00"},
                 {{{"1", "0.05", "100"}, {"2", "five", "100"}}, nullptr}};
    for (const auto& c : cases) {
        RecordingDialogs dialogs;
        GridModel grid;
        SetupPresentValueGrid(grid);
        ASSERT_EQ(grid.Rows(), 25);
        EXPECT_EQ(grid.TextMatrix(0, 2), "Amount");
        for (size_t r = 0; r < c.rows.size(); ++r)
            for (int col = 0; col < 3; ++col)
                grid.SetTextMatrix(int(r) + 1, col, c.rows[r][size_t(col)]);
        const auto value = PresentValue(grid, dialogs);
        if (c.value) {
            EXPECT_EQ(value.value_or("none"), c.value);
            EXPECT_EQ(grid.Row(), 24); // every cell was read as the current cell
        } else {
            EXPECT_FALSE(value);
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text, "Non-numeric entry in table");
            EXPECT_EQ(grid.Row(), 2);
        }
    }
}

TEST(LogOrExpTest, ShowsTheResult) {
    struct {
        bool exp;
        const char* text;
        const char* shown;
    } cases[] = {{false, "10", "2.30258509"}, {true, "1", "2.71828183"}, {false, "1", "0.00"},
                 {false, "0", "NA"},          {false, "-3", "NA"},       {true, "710", "NA"},
                 {true, "-800", "0.00"},      {true, "0", "1.00"}};
    for (auto c : cases) {
        RecordingDialogs dialogs;
        EXPECT_EQ(LogOrExp(c.exp, c.text, dialogs).value_or("none"), c.shown) << c.text;
        EXPECT_TRUE(dialogs.messages.empty());
    }
    RecordingDialogs dialogs;
    EXPECT_FALSE(LogOrExp(false, "ten", dialogs));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Invalid number");
}

} // namespace
} // namespace yarrow
