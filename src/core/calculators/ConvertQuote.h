#pragma once

#include "core/text/Dates.h"

#include <string>

namespace yarrow {

class Dialogs;

enum class QuoteType { TBill = 0, Libor = 1, Zero = 2, Discrete = 3 };

// Lets a rate be typed as a percentage: a value of 1 or more is divided by 100 when the text
// names an interest rate, a volatility or a dividend. The quotient is kept in double precision.
void Check_Rate(double& xval, const std::string& xstr);

// The boxes a conversion reads and may rewrite: a day count in `second` becomes a date, and a
// "Today" that is not a date becomes today's date when a day count needs it.
struct QuoteBoxes {
    std::string today;
    std::string second;     // a date or a number of days (the discrete frequency for Discrete)
    std::string quote;      // the quote (rate panel only)
    std::string quoteLabel; // the quote's caption, named by "Invalid Entry for "
    QuoteType type = QuoteType::TBill;
};

// failed: a message was shown (a refusal or a run-time error reported through the common error
// report); text then keeps nothing.
struct QuoteResult {
    bool failed = false;
    std::string text;
};

// The date-pair conversion. index 0: the years between the two boxes ("##0.00######"); index 1:
// the continuously compounded rate of a T-Bill, LIBOR or zero-coupon quote ("#####0.00#####").
QuoteResult ConvertQuote(int index, QuoteBoxes& boxes, DateOrder order, Date today, Dialogs& dialogs);

// A discretely compounded rate (boxes.quote) with boxes.second periods a year, as a continuously
// compounded one ("#####0.00#####").
QuoteResult ConvertDiscrete(const QuoteBoxes& boxes, Dialogs& dialogs);

// "Convert" of the rate panel: the discrete formula or ConvertQuote(1, ...) by the quote type.
QuoteResult ConvertRate(QuoteBoxes& boxes, DateOrder order, Date today, Dialogs& dialogs);

} // namespace yarrow
