#include "core/text/NumberText.h"

#include "core/text/RuntimeError.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace yarrow {
namespace {

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

class FormatPatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(FormatPatternTest, Formats) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(FormatPattern(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(GridPatterns, FormatPatternTest,
                         ::testing::Values(PatternCase{98.5, "####0.0000", "98.5000"},
                                           PatternCase{-0.25, "####0.0000", "-0.2500"},
                                           PatternCase{0.0, "####0.0000", "0.0000"},
                                           PatternCase{123456.5, "####0.0000", "123456.5000"},
                                           PatternCase{-123456.5, "####0.0000", "-123456.5000"},
                                           // A value that rounds to zero shows no minus sign.
                                           PatternCase{-0.00001, "####0.0000", "0.0000"},
                                           PatternCase{-0.0, "####0.0000", "0.0000"},
                                           PatternCase{99.99996, "####0.0000", "100.0000"},
                                           PatternCase{5.05, "####0.00", "5.05"},
                                           PatternCase{1234.5, "####0.00", "1234.50"}));

INSTANTIATE_TEST_SUITE_P(NoLeadingDigit, FormatPatternTest,
                         ::testing::Values(PatternCase{0.068, "####.0000", ".0680"},
                                           PatternCase{-0.04, "####.0000", "-.0400"},
                                           PatternCase{1.5, "####.0000", "1.5000"},
                                           PatternCase{0.0, "####.0000", ".0000"},
                                           PatternCase{-0.00001, "####.0000", ".0000"},
                                           PatternCase{12345.25, "####.0000", "12345.2500"}));

INSTANTIATE_TEST_SUITE_P(
    OptionalDecimals, FormatPatternTest,
    ::testing::Values(PatternCase{1.5, "#####0.00#####", "1.50"}, PatternCase{2.0, "#####0.00#####", "2.00"},
                      PatternCase{0.12345678, "#####0.00#####", "0.1234568"},
                      PatternCase{0.12345678, "##0.00######", "0.12345678"},
                      PatternCase{0.1, "##0.00######", "0.10"}, PatternCase{-0.5, "##0.00######", "-0.50"},
                      PatternCase{0.123, "##0.00######", "0.123"},
                      PatternCase{2.302585092994046, "#######0.00######", "2.30258509"},
                      PatternCase{2.718281828459045, "#######0.00######", "2.71828183"},
                      PatternCase{0.0, "#######0.00######", "0.00"},
                      // Trailing optional digits that round away leave the required ones.
                      PatternCase{1.0000000001, "##0.00######", "1.00"}));

INSTANTIATE_TEST_SUITE_P(
    HalfAwayFromZero, FormatPatternTest,
    ::testing::Values(PatternCase{0.125, "0.00", "0.13"}, PatternCase{-0.125, "0.00", "-0.13"},
                      PatternCase{0.375, "0.00", "0.38"}, PatternCase{2.5, "0", "3"},
                      PatternCase{-2.5, "0", "-3"}, PatternCase{0.5, "#", "1"},
                      // 2.675 is stored just below the half: the exact value decides.
                      PatternCase{2.675, "0.00", "2.67"}, PatternCase{1.005, "0.00", "1.00"},
                      PatternCase{9.9995, "0.000", "9.999"}, PatternCase{0.99995, "####.0000", "1.0000"}));

INSTANTIATE_TEST_SUITE_P(Literals, FormatPatternTest,
                         ::testing::Values(PatternCase{0.0, ".", "."}, PatternCase{0.0, "0.", "0."},
                                           PatternCase{0.0, "-0.", "-0."},
                                           PatternCase{1234567.891, "#,##0.00", "1,234,567.89"},
                                           PatternCase{0.256, "0.0%", "25.6%"},
                                           PatternCase{42.0, "$0", "$42"}, PatternCase{-42.0, "$0", "-$42"},
                                           PatternCase{5.0, "00", "05"}, PatternCase{7.0, "#0#", "07"}));

TEST(FormatPatternTest, HugeAndTinyMagnitudes) {
    EXPECT_EQ(FormatPattern(1e20, "####0.0000"), "100000000000000000000.0000");
    EXPECT_EQ(FormatPattern(1e-300, "####0.0000"), "0.0000");
    EXPECT_EQ(FormatPattern(-1e-300, "####.0000"), ".0000");
    EXPECT_EQ(FormatPattern(std::numeric_limits<double>::max(), "0").size(), 309u);
}

TEST(FormatPatternTest, EmptyPatternIsGeneralText) {
    EXPECT_EQ(FormatPattern(2.5, ""), "2.5");
}

struct FixedCase {
    double value;
    int decimals;
    const char* expected;
};

class FormatFixedTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, Formats) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Decimals, FormatFixedTest,
                         ::testing::Values(FixedCase{0.17, 4, "0.1700"}, FixedCase{0.17f, 4, "0.1700"},
                                           FixedCase{3.3, 4, "3.3000"}, FixedCase{1234567.0, 2, "1234567.00"},
                                           FixedCase{-1.23, 2, "-1.23"}, FixedCase{0.5, 0, "1"},
                                           FixedCase{-0.004, 2, "0.00"}, FixedCase{5.05, 2, "5.05"},
                                           FixedCase{0.5, -1, "1"}));

struct ValCase {
    const char* text;
    double expected;
};

class ValTest : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValTest, Reads) {
    const ValCase& c = GetParam();
    EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Lenient, ValTest,
                         ::testing::Values(ValCase{"4 1/4", 41}, ValCase{" 1 2.5x", 12.5},
                                           ValCase{"1e3", 1000}, ValCase{"-.5", -0.5}, ValCase{"abc", 0},
                                           ValCase{"", 0}, ValCase{"1,250", 1}, ValCase{"\t3\n4", 34},
                                           ValCase{"+7", 7}, ValCase{"- 7", -7}, ValCase{"1.2.3", 1.2},
                                           ValCase{"1e", 1}, ValCase{"1e+", 1}, ValCase{"2E-2", 0.02},
                                           ValCase{"1 e 2", 100}, ValCase{"1d2", 100}, ValCase{".", 0},
                                           ValCase{"-", 0}, ValCase{"--5", 0}, ValCase{"&H10", 0},
                                           ValCase{"3TD", 3}, ValCase{"12%", 12}, ValCase{"0.1700", 0.17},
                                           ValCase{"5.", 5}, ValCase{"1e-400", 0}, ValCase{"000123", 123}));

TEST(ValTest, NoNegativeZero) {
    EXPECT_FALSE(std::signbit(Val("-0")));
}

TEST(ValTest, ExponentBeyondDoubleRangeOverflows) {
    // Exponents beyond the long range too (found by fuzzing): they must not wrap round.
    for (const char* text : {"1e400", "3.E4555555555555555555555555555556", "-12.5e99999999999999999999"}) {
        try {
            Val(text);
            ADD_FAILURE() << "no error for " << text;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 6) << text;
        }
    }
    EXPECT_EQ(Val("7.5e-99999999999999999999"), 0.0);
}

struct NumericCase {
    const char* text;
    bool numeric;
    double value; // SafeDouble
};

class NumericTest : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericTest, ClassifiesAndConverts) {
    const NumericCase& c = GetParam();
    EXPECT_EQ(IsNumeric(c.text), c.numeric) << '"' << c.text << '"';
    EXPECT_DOUBLE_EQ(SafeDouble(c.text), c.value) << '"' << c.text << '"';
    EXPECT_FLOAT_EQ(SafeSingle(c.text), static_cast<float>(c.value)) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(IsNumeric, NumericTest,
                         ::testing::Values(NumericCase{"12", true, 12}, NumericCase{"  12.5  ", true, 12.5},
                                           NumericCase{"\t-3\r\n", true, -3},
                                           NumericCase{"1,250.5", true, 1250.5},
                                           NumericCase{"+.5", true, 0.5}, NumericCase{"5.", true, 5},
                                           NumericCase{"1e3", true, 1000}, NumericCase{"1.5E-2", true, 0.015},
                                           NumericCase{"- 4", true, -4}, NumericCase{"", false, 0},
                                           NumericCase{"   ", false, 0}, NumericCase{"12abc", false, 0},
                                           NumericCase{"abc", false, 0}, NumericCase{".", false, 0},
                                           NumericCase{"-", false, 0}, NumericCase{",5", false, 0},
                                           NumericCase{"1e", false, 0}, NumericCase{"1 2", false, 0},
                                           NumericCase{"1.2.3", false, 0}, NumericCase{"$5", false, 0},
                                           NumericCase{"1,2.5,0", false, 0}, NumericCase{"1e400", false, 0},
                                           NumericCase{"4 1/4", false, 0}));

TEST(SafeSingleTest, BeyondSingleRangeOverflows) {
    EXPECT_TRUE(IsNumeric("1e39"));
    EXPECT_THROW(SafeSingle("1e39"), RuntimeError);
    EXPECT_FLOAT_EQ(SafeSingle("3.4e38"), 3.4e38f);
}

TEST(SafeSingleTest, RoundsToSingle) {
    EXPECT_EQ(SafeSingle("0.1"), 0.1f);
}

struct GeneralCase {
    double value;
    const char* expected;
};

class GeneralTextTest : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralTextTest, Double) {
    const GeneralCase& c = GetParam();
    EXPECT_EQ(GeneralText(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    FifteenDigits, GeneralTextTest,
    ::testing::Values(GeneralCase{10.0 / 4, "2.5"}, GeneralCase{1.0 / 3, "0.333333333333333"},
                      GeneralCase{2.0 + 3, "5"}, GeneralCase{-2.0 / 3, "-0.666666666666667"},
                      GeneralCase{0.1 + 0.2, "0.3"}, GeneralCase{0.0, "0"}, GeneralCase{-0.0, "0"},
                      GeneralCase{100.0, "100"}, GeneralCase{123456789012345.0, "123456789012345"},
                      GeneralCase{999999999999999.0, "999999999999999"}, GeneralCase{1e15, "1E+15"},
                      GeneralCase{1e20, "1E+20"}, GeneralCase{-1.5e20, "-1.5E+20"},
                      GeneralCase{0.0001, "0.0001"}, GeneralCase{0.00012345, "0.00012345"},
                      GeneralCase{1e-5, "1E-05"}, GeneralCase{1.25e-7, "1.25E-07"},
                      GeneralCase{1e100, "1E+100"}, GeneralCase{1e-300, "1E-300"},
                      GeneralCase{2.0 / 3 * 1e20, "6.66666666666667E+19"},
                      // Rounding to 15 digits can carry into a new exponent.
                      GeneralCase{999999999999999.875, "1E+15"}));

TEST(GeneralTextTest, Integers) {
    EXPECT_EQ(GeneralText(30), "30");
    EXPECT_EQ(GeneralText(static_cast<int16_t>(-12)), "-12");
    EXPECT_EQ(GeneralText(int32_t{2147483647}), "2147483647");
}

TEST(GeneralTextTest, Single) {
    EXPECT_EQ(GeneralText(0.1f), "0.1");
    EXPECT_EQ(GeneralText(1.0f / 3), "0.3333333");
    EXPECT_EQ(GeneralText(2.5f), "2.5");
    EXPECT_EQ(GeneralText(1234567.0f), "1234567");
    EXPECT_EQ(GeneralText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(GeneralText(-0.0001f), "-0.0001");
    EXPECT_EQ(GeneralText(1e-5f), "1E-05");
}

} // namespace
} // namespace yarrow
