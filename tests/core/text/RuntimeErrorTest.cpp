#include "core/text/RuntimeError.h"

#include <gtest/gtest.h>
#include <string>

namespace yarrow {
namespace {

struct ErrorCase {
    RuntimeError (*make)();
    int number;
    const char* text;
};

class RuntimeErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RuntimeErrorTest, NumberAndPlatformText) {
    const ErrorCase& c = GetParam();
    const RuntimeError e = c.make();
    EXPECT_EQ(e.number(), c.number);
    EXPECT_EQ(e.text(), c.text);
    EXPECT_STREQ(e.what(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Classic, RuntimeErrorTest,
    ::testing::Values(ErrorCase{&RuntimeError::Overflow, 6, "Overflow"},
                      ErrorCase{&RuntimeError::SubscriptOutOfRange, 9, "Subscript out of range"},
                      ErrorCase{&RuntimeError::DivisionByZero, 11, "Division by zero"},
                      ErrorCase{&RuntimeError::TypeMismatch, 13, "Type mismatch"},
                      ErrorCase{&RuntimeError::InvalidPropertyValue, 380, "Invalid property value"},
                      ErrorCase{&RuntimeError::NoApplicationResponding, 282,
                                "No foreign application responded to a DDE initiate"},
                      ErrorCase{&RuntimeError::InvalidProcedureCall, 5,
                                "Invalid procedure call or argument"},
                      ErrorCase{&RuntimeError::ObjectVariableNotSet, 91,
                                "Object variable or With block variable not set"}));

TEST(ErrorReportTest, ExactText) {
    EXPECT_EQ(
        ErrorReportText(RuntimeError::Overflow()),
        "An error has occurred. If the program does not continue normally, please report this error, "
        "and the circumstances surrounding it, to support@qal-yarrow.org.  The system error is: Overflow");
    EXPECT_EQ(ErrorReportText("Type mismatch"), ErrorReportText(RuntimeError::TypeMismatch()));
}

TEST(ErrorReportTest, CaughtAsStandardException) {
    try {
        throw RuntimeError::DivisionByZero();
    } catch (const std::exception& e) {
        EXPECT_EQ(ErrorReportText(e.what()).substr(ErrorReportText("").size()), "Division by zero");
    }
}

} // namespace
} // namespace yarrow
