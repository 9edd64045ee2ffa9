#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace yarrow {

class Dialogs;

// The four-function keypad: a state machine fed one key at a time. It evaluates strictly left to
// right; each operator key completes the pending operation and shows its result. The display is
// text in the user's decimal separator; numbers are read and written with "." inside.
class Keypad {
public:
    // An operand holds either the display text captured at an operator key or a result.
    using Operand = std::variant<std::monostate, std::string, double>;

    explicit Keypad(Dialogs& dialogs, std::string decSep = ".");

    // The start-up state: display "0" + separator, nothing pending.
    void Reset();

    void Digit(int d);
    void Separator();
    // op is the operator key's caption: "/", "+", "X", "-" or "=".
    void Operator(const std::string& op);
    void Percent();
    void ClearEntry();
    void Clear();
    // The pasted text becomes the display as it stands, without a final line break.
    void Paste(const std::string& text);

    // Feeds one key by its caption: "0".."9", the separator, "+", "-", "X", "/", "=", "%", "CE",
    // "C" (Enter as "=" and "*" as "X" too). False for a key the keypad does not have.
    bool Key(const std::string& key);

    const std::string& Display() const { return display_; }
    const std::string& DecSep() const { return decSep_; }

    // The state, as named in the keypad's description.
    const Operand& operand1() const { return operand1_; }
    const Operand& operand2() const { return operand2_; }
    bool decimalEntered() const { return decimalEntered_; }
    int16_t operandCount() const { return operandCount_; }
    const std::string& lastInput() const { return lastInput_; }
    const std::string& pendingOp() const { return pendingOp_; }
    const std::string& displayAtOp() const { return displayAtOp_; }

private:
    double Number(const Operand& operand) const;
    double Number(const std::string& text) const;
    std::string Text(const Operand& operand) const;
    std::string Text(double value) const;
    void Complete();

    Dialogs& dialogs_;
    std::string decSep_;
    std::string display_;
    Operand operand1_;
    Operand operand2_;
    bool decimalEntered_ = false;
    int16_t operandCount_ = 0;
    std::string lastInput_ = "NONE";
    std::string pendingOp_ = " ";
    std::string displayAtOp_;
};

} // namespace yarrow
