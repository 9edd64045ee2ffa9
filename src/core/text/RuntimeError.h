#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace yarrow {

// The one run-time error of the program: a number and the platform's text for it.
// Handlers catch it and show ErrorReportText().
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, std::string text);
    int32_t number() const { return number_; }
    const std::string& text() const { return text_; }

    // The errors the program raises, with their classic numbers and texts.
    static RuntimeError Overflow();                // 6  "Overflow"
    static RuntimeError SubscriptOutOfRange();     // 9  "Subscript out of range"
    static RuntimeError DivisionByZero();          // 11 "Division by zero"
    static RuntimeError TypeMismatch();            // 13 "Type mismatch"
    static RuntimeError InvalidPropertyValue();    // 380 "Invalid property value"
    static RuntimeError NoApplicationResponding(); // 282 "No foreign application responded to a DDE initiate"
    static RuntimeError InvalidProcedureCall();    // 5  "Invalid procedure call or argument"
    static RuntimeError ObjectVariableNotSet();    // 91 "Object variable or With block variable not set"

private:
    int32_t number_;
    std::string text_;
};

// Where students report faults. Shown in the common error report.
inline constexpr const char* kSupportAddress = "support@qal-yarrow.org";

// "An error has occurred. ... to <support>.  The system error is: <text>"
std::string ErrorReportText(const std::string& systemErrorText);
inline std::string ErrorReportText(const RuntimeError& e) {
    return ErrorReportText(e.text());
}

// Title of the program's message boxes.
inline constexpr const char* kMessageTitle = "Vantorix";

} // namespace yarrow
