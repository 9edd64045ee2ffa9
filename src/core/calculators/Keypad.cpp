#include "core/calculators/Keypad.h"

#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"

#include <cmath>

namespace yarrow {

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty() || from == to)
        return text;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// prefix + text, built by appending (the other spelling trips a false -Wrestrict in GCC 12).
std::string Prefixed(const char* prefix, const std::string& text) {
    std::string out(prefix);
    out += text;
    return out;
}

} // namespace

Keypad::Keypad(Dialogs& dialogs, std::string decSep) : dialogs_(dialogs), decSep_(std::move(decSep)) {
    if (decSep_.empty())
        decSep_.assign(1, '.');
    Reset();
}

void Keypad::Reset() {
    decimalEntered_ = false;
    operandCount_ = 0;
    lastInput_ = "NONE";
    // One-character literals assigned to a string trip a false -Wrestrict in GCC 12 at -O3.
    pendingOp_.assign(1, ' ');
    display_ = Prefixed("0", decSep_);
}

double Keypad::Number(const std::string& text) const {
    // Text that is not a number (a lone minus, pasted words) reads as 0.
    return SafeDouble(ReplaceAll(text, decSep_, "."));
}

double Keypad::Number(const Operand& operand) const {
    if (const double* d = std::get_if<double>(&operand))
        return *d;
    if (const std::string* s = std::get_if<std::string>(&operand))
        return Number(*s);
    return 0.0;
}

std::string Keypad::Text(double value) const {
    return ReplaceAll(GeneralText(value), ".", decSep_);
}

std::string Keypad::Text(const Operand& operand) const {
    if (const double* d = std::get_if<double>(&operand))
        return Text(*d);
    if (const std::string* s = std::get_if<std::string>(&operand))
        return *s;
    return {};
}

void Keypad::Digit(int d) {
    if (lastInput_ != "NUMS") {
        display_ = decSep_;
        decimalEntered_ = false;
    }
    const std::string digit(1, char('0' + d));
    if (decimalEntered_)
        display_ += digit;
    else
        display_ = display_.substr(0, display_.find(decSep_)) + digit + decSep_;
    if (lastInput_ == "NEG")
        display_ = Prefixed("-", display_);
    lastInput_ = "NUMS";
}

void Keypad::Separator() {
    if (lastInput_ == "NEG")
        display_ = Prefixed("-0", decSep_);
    else if (lastInput_ != "NUMS")
        display_ = Prefixed("0", decSep_);
    decimalEntered_ = true;
    lastInput_ = "NUMS";
}

void Keypad::Complete() {
    operand2_ = displayAtOp_;
    const double n1 = Number(operand1_);
    const double n2 = Number(operand2_);
    double result = n1;
    bool changed = true;
    if (pendingOp_ == "+")
        result = n1 + n2;
    else if (pendingOp_ == "-")
        result = n1 - n2;
    else if (pendingOp_ == "X" || pendingOp_ == "%")
        result = n1 * n2;
    else if (pendingOp_ == "/") {
        if (n2 == 0) {
            dialogs_.Message("Can't divide by zero", "Calculator", MessageIcon::Exclamation);
            changed = false;
        } else {
            result = n1 / n2;
        }
    } else if (pendingOp_ == "=")
        result = n2;
    else
        changed = false;
    if (changed) {
        if (std::isfinite(result)) {
            operand1_ = result;
        } else {
            // A result beyond the double range is refused like a division by zero: the first
            // operand stays and the calculation can go on.
            dialogs_.Message(ErrorReportText(RuntimeError::Overflow()), kMessageTitle, MessageIcon::Critical);
        }
    }
    display_ = Text(operand1_);
    operandCount_ = 1;
}

void Keypad::Operator(const std::string& op) {
    displayAtOp_ = display_;
    // Digits after a percent start the second operand again; the count never passes two, or
    // every operator would do nothing until C.
    if (lastInput_ == "NUMS" && operandCount_ < 2)
        ++operandCount_;
    if (operandCount_ == 0) {
        if (op == "-" && lastInput_ != "NEG") {
            display_ = Prefixed("-", display_);
            lastInput_ = "NEG";
        }
    } else if (operandCount_ == 1) {
        operand1_ = display_;
        if (op == "-" && lastInput_ != "NUMS" && pendingOp_ != "=") {
            display_.assign(1, '-');
            lastInput_ = "NEG";
        }
    } else if (operandCount_ == 2) {
        Complete();
    }
    if (lastInput_ != "NEG") {
        lastInput_ = "OPS";
        pendingOp_ = op;
    }
}

void Keypad::Percent() {
    const double value = Number(display_) / 100;
    display_ = Text(value);
    lastInput_ = "OPS";
    pendingOp_.assign(1, '%');
    decimalEntered_ = true;
    // A second percent in a row scales the entry again; it is not another operand (counting it
    // would leave the keypad deaf to every operator until C).
    if (operandCount_ < 2)
        ++operandCount_;
}

void Keypad::ClearEntry() {
    display_ = Prefixed("0", decSep_);
    decimalEntered_ = false;
    lastInput_ = "CE";
}

void Keypad::Clear() {
    operand1_ = 0.0;
    operand2_ = 0.0;
    Reset();
}

void Keypad::Paste(const std::string& text) {
    // A copied cell ends with a line break; it is not part of the number.
    display_ = text.substr(0, text.find_last_not_of("\r\n") + 1);
    lastInput_ = "NUMS";
}

bool Keypad::Key(const std::string& key) {
    if (key.size() == 1 && key[0] >= '0' && key[0] <= '9')
        Digit(key[0] - '0');
    else if (key == decSep_)
        Separator();
    else if (key == "+" || key == "-" || key == "X" || key == "/" || key == "=")
        Operator(key);
    else if (key == "*" || key == "x")
        Operator("X");
    else if (key == "\r" || key == "\n")
        Operator("=");
    else if (key == "%")
        Percent();
    else if (key == "CE")
        ClearEntry();
    else if (key == "C")
        Clear();
    else
        return false;
    return true;
}

} // namespace yarrow
