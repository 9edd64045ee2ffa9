#include "core/text/RuntimeError.h"

#include <utility>

namespace yarrow {

RuntimeError::RuntimeError(int32_t number, std::string text)
    : std::runtime_error(text), number_(number), text_(std::move(text)) {}

RuntimeError RuntimeError::Overflow() {
    return {6, "Overflow"};
}
RuntimeError RuntimeError::SubscriptOutOfRange() {
    return {9, "Subscript out of range"};
}
RuntimeError RuntimeError::DivisionByZero() {
    return {11, "Division by zero"};
}
RuntimeError RuntimeError::TypeMismatch() {
    return {13, "Type mismatch"};
}
RuntimeError RuntimeError::InvalidPropertyValue() {
    return {380, "Invalid property value"};
}
RuntimeError RuntimeError::NoApplicationResponding() {
    return {282, "No foreign application responded to a DDE initiate"};
}
RuntimeError RuntimeError::InvalidProcedureCall() {
    return {5, "Invalid procedure call or argument"};
}
RuntimeError RuntimeError::ObjectVariableNotSet() {
    return {91, "Object variable or With block variable not set"};
}

std::string ErrorReportText(const std::string& systemErrorText) {
    // Two blanks after the period: students paste this text into their reports verbatim.
    return std::string("An error has occurred. If the program does not continue normally, please report this "
                       "error, and the circumstances surrounding it, to ") +
           kSupportAddress + ".  The system error is: " + systemErrorText;
}

} // namespace yarrow
