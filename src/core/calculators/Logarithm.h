#pragma once

#include <optional>
#include <string>

namespace yarrow {

class Dialogs;

// The natural logarithm or the exponential of a typed number, as "#######0.00######". A logarithm
// of 0 or less, and an exponential beyond the double range, show "NA". Text that is not a number
// shows "Invalid number" and gives no result; a number beyond the single range raises Overflow.
std::optional<std::string> LogOrExp(bool exponential, const std::string& text, Dialogs& dialogs);

} // namespace yarrow
