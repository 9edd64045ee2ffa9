#include "core/calculators/ConvertQuote.h"

#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"
#include "core/text/RuntimeError.h"

#include <cmath>

namespace yarrow {

namespace {

constexpr const char* kRatePattern = "#####0.00#####";
constexpr const char* kYearsPattern = "##0.00######";

QuoteResult Refuse(Dialogs& dialogs, const std::string& text, const char* title) {
    dialogs.Message(text, title, MessageIcon::Critical);
    return {true, {}};
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

double Ln(double x) {
    if (!(x > 0))
        throw RuntimeError::InvalidProcedureCall();
    return std::log(x);
}

// The box's date plus a day count, as the calendar can hold it.
Date AddDays(Date from, float n) {
    const double whole = std::floor(double(n));
    if (std::fabs(whole) > 4e6)
        throw RuntimeError::Overflow();
    const Date to = from + std::chrono::days{static_cast<long long>(whole)};
    return DateSerial(Year(to), Month(to), Day(to)); // raises Overflow outside the calendar
}

} // namespace

void Check_Rate(double& xval, const std::string& xstr) {
    if (xval >= 1 &&
        (xstr.find("terest") != std::string::npos || xstr.find("olatility") != std::string::npos ||
         xstr.find("ividend") != std::string::npos))
        xval = xval / 100;
}

QuoteResult ConvertQuote(int index, QuoteBoxes& boxes, DateOrder order, Date today, Dialogs& dialogs) {
    try {
        const std::string format = DateFormatText(order);
        double d1 = 0, d2 = 0;
        if (IsNumeric(boxes.second)) {
            const float n = SafeSingle(boxes.second);
            d2 = n;
            if (!IsDate(boxes.today, order))
                boxes.today = FormatDate(today, format);
            boxes.second = FormatDate(AddDays(CDate(boxes.today, order), n), format);
        } else {
            const auto first = ParseDate(boxes.today, order);
            const auto second = ParseDate(boxes.second, order);
            if (!first || !second) {
                dialogs.Message("Please enter both dates", kMessageTitle, MessageIcon::Critical);
                return {true, {}};
            }
            d1 = double(first->time_since_epoch().count());
            d2 = double(second->time_since_epoch().count());
        }
        const double days = d2 - d1;

        if (index == 0)
            return {false, FormatPattern(days / 365, kYearsPattern)};

        if (!IsNumeric(boxes.quote))
            return Refuse(dialogs, "Invalid Entry for " + Trim(boxes.quoteLabel), kMessageTitle);
        double q = SafeSingle(boxes.quote);
        double x = 0;
        if (boxes.type == QuoteType::TBill) {
            const float price = CSng(100 - q * days / 360);
            x = Divide(100, price);
        } else if (boxes.type == QuoteType::Libor) {
            Check_Rate(q, "LIBOR");
            x = 1 + q * days / 360;
        } else {
            if (q <= 0)
                return Refuse(dialogs, "Invalid Price", "Calculator");
            x = 100 / q;
        }
        const float rc = CSng(Divide(365, days) * Ln(x));
        return {false, FormatPattern(rc, kRatePattern)};
    } catch (const RuntimeError& e) {
        dialogs.Message(ErrorReportText(e), kMessageTitle, MessageIcon::Critical);
        return {true, {}};
    }
}

QuoteResult ConvertDiscrete(const QuoteBoxes& boxes, Dialogs& dialogs) {
    try {
        float r = 0;
        if (IsNumeric(boxes.quote))
            r = SafeSingle(boxes.quote);
        if (r <= 0)
            return Refuse(dialogs, "Invalid interest rate, please enter a positive decimal, e.g. 0.045",
                          kMessageTitle);
        int f = 0;
        if (IsNumeric(boxes.second)) {
            const double v = SafeDouble(boxes.second);
            // A count beyond 16 bits is refused like any other frequency out of range.
            f = std::fabs(v) < 32767 ? CInt(v) : 0;
        }
        if (f < 1 || f > 365)
            return Refuse(dialogs, "Invalid frequency, please enter an integer between 1 and 365",
                          kMessageTitle);
        const float perPeriod = CSng(double(r) / f);
        const float rc = CSng(f * std::log(1 + double(perPeriod)));
        return {false, FormatPattern(rc, kRatePattern)};
    } catch (const RuntimeError& e) {
        dialogs.Message(ErrorReportText(e), kMessageTitle, MessageIcon::Critical);
        return {true, {}};
    }
}

QuoteResult ConvertRate(QuoteBoxes& boxes, DateOrder order, Date today, Dialogs& dialogs) {
    if (boxes.type == QuoteType::Discrete)
        return ConvertDiscrete(boxes, dialogs);
    return ConvertQuote(1, boxes, order, today, dialogs);
}

} // namespace yarrow
