#include "core/numeric/Precision.h"

#include "core/text/RuntimeError.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace yarrow {
namespace {

int ErrorNumberOf(void (*f)()) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

struct RoundCase {
    double x;
    int expected;
};

class RoundToEvenTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToEvenTest, CIntAndCLngAgree) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(CInt(c.x), c.expected) << c.x;
    EXPECT_EQ(CLng(c.x), c.expected) << c.x;
}

INSTANTIATE_TEST_SUITE_P(Halves, RoundToEvenTest,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2},
                                           RoundCase{3.5, 4}, RoundCase{-0.5, 0}, RoundCase{-1.5, -2},
                                           RoundCase{-2.5, -2}, RoundCase{2.4999999, 2},
                                           RoundCase{2.5000001, 3}, RoundCase{-2.5000001, -3},
                                           RoundCase{0.49999999999999994, 0}, RoundCase{7.0, 7},
                                           RoundCase{-7.0, -7}, RoundCase{32766.5, 32766},
                                           RoundCase{32767.4, 32767}, RoundCase{-32768.5, -32768},
                                           RoundCase{4503599627370495.0 / 1e12, 4504}));

TEST(RoundToEvenTest, RoundingModeDoesNotMatter) {
    // The conversion must not depend on whoever last changed the FPU rounding mode.
    EXPECT_EQ(CInt(1e-300 + 2.5), 2);
    EXPECT_EQ(CLng(1073741824.5), 1073741824);
    EXPECT_EQ(CLng(1073741825.5), 1073741826);
}

TEST(ConversionRangeTest, CIntOverflow) {
    EXPECT_EQ(CInt(32767.0), 32767);
    EXPECT_EQ(CInt(-32768.0), -32768);
    EXPECT_EQ(ErrorNumberOf([] { CInt(32767.5); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CInt(-32768.6); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CInt(1e10); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CInt(std::nan("")); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CInt(std::numeric_limits<double>::infinity()); }), 6);
}

TEST(ConversionRangeTest, CLngOverflow) {
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(CLng(-2147483648.0), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(CLng(2147483646.5), 2147483646);
    EXPECT_EQ(ErrorNumberOf([] { CLng(2147483647.5); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CLng(-2147483649.0); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CLng(std::nan("")); }), 6);
}

TEST(ConversionRangeTest, CSng) {
    EXPECT_EQ(CSng(0.1), 0.1f);
    EXPECT_EQ(CSng(-3.4e38), -3.4e38f);
    EXPECT_EQ(CSng(static_cast<double>(std::numeric_limits<float>::max())),
              std::numeric_limits<float>::max());
    EXPECT_EQ(CSng(1e-50), 0.0f);
    EXPECT_EQ(ErrorNumberOf([] { CSng(3.5e38); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CSng(-1e300); }), 6);
    // No platform number holds an infinity or NaN: they never escape as results.
    EXPECT_EQ(ErrorNumberOf([] { CSng(std::numeric_limits<double>::infinity()); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CSng(-std::numeric_limits<double>::infinity()); }), 6);
    EXPECT_EQ(ErrorNumberOf([] { CSng(std::nan("")); }), 6);
}

TEST(CheckedMathTest, ExpSqrAndPowRaiseWhereTheResultIsNoNumber) {
    EXPECT_EQ(Exp(1.5), std::exp(1.5));
    EXPECT_EQ(Exp(-800), 0.0);
    EXPECT_EQ(Sqr(2), std::sqrt(2.0));
    EXPECT_EQ(Pow(1.025, 9.5), std::pow(1.025, 9.5));
    EXPECT_EQ(Pow(-2, 3), -8.0);
    EXPECT_EQ(Pow(0, 0), 1.0);
    struct Case {
        const char* name;
        void (*f)();
        int error;
    };
    const Case cases[] = {
        {"Exp beyond the range", [] { Exp(710); }, 6},
        {"Exp of NaN", [] { Exp(std::nan("")); }, 6},
        {"Sqr of a negative", [] { Sqr(-1e-9); }, 5},
        {"negative base, fractional power", [] { Pow(-0.5, 2.5); }, 5},
        {"zero to a negative power", [] { Pow(0, -1); }, 11},
        {"power beyond the range", [] { Pow(10, 400); }, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorNumberOf(c.f), c.error) << c.name;
}

TEST(IntTest, IsTheFloor) {
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(-2.3), -3.0);
    EXPECT_EQ(Int(-2.0), -2.0);
    EXPECT_EQ(Int(0.999999), 0.0);
    EXPECT_EQ(Int(1e20), 1e20);
}

TEST(DivideTest, ChecksItsOperands) {
    EXPECT_EQ(Divide(10, 4), 2.5);
    EXPECT_EQ(Divide(-1, 8), -0.125);
    EXPECT_EQ(ErrorNumberOf([] { Divide(1, 0); }), 11);
    EXPECT_EQ(ErrorNumberOf([] { Divide(0, 0); }), 11);
    EXPECT_EQ(ErrorNumberOf([] { Divide(1, -0.0); }), 11);
    EXPECT_EQ(ErrorNumberOf([] { Divide(1e300, 1e-300); }), 6);
    EXPECT_EQ(Divide(1e-300, 1e300), 0.0);
}

TEST(Array1Test, CheckedFromZeroToUpper) {
    Array1<float> a(3);
    EXPECT_EQ(a.UBound(), 3);
    a(3) = 1.5f;
    a[0] = 2.0f;
    EXPECT_EQ(a(3), 1.5f);
    EXPECT_EQ(a.raw().size(), 4u);
    EXPECT_EQ(ErrorNumberOf([] {
                  Array1<float> b(3);
                  b(4) = 1;
              }),
              9);
    EXPECT_EQ(ErrorNumberOf([] {
                  const Array1<int16_t> b(2);
                  (void)b[-1];
              }),
              9);
}

TEST(Array1Test, RedimClearsAndEmptyArraysRefuseEveryIndex) {
    Array1<int> a(2);
    a(2) = 5;
    a.Redim(4);
    EXPECT_EQ(a.UBound(), 4);
    EXPECT_EQ(a(2), 0);
    a.Redim(-1);
    EXPECT_EQ(a.UBound(), -1);
    EXPECT_THROW(a(0), RuntimeError);
    EXPECT_EQ(ErrorNumberOf([] { Array1<int> b(-2); }), 9);
    const Array1<double> empty;
    EXPECT_THROW(empty(0), RuntimeError);
}

} // namespace
} // namespace yarrow
