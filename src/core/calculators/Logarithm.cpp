#include "core/calculators/Logarithm.h"

#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace yarrow {

std::optional<std::string> LogOrExp(bool exponential, const std::string& text, Dialogs& dialogs) {
    if (!IsNumeric(text)) {
        dialogs.Message("Invalid number", "Calculator", MessageIcon::Critical);
        return std::nullopt;
    }
    const float x = SafeSingle(text);
    constexpr const char* kPattern = "#######0.00######";
    if (exponential) {
        const double e = std::exp(double(x));
        return std::isfinite(e) ? FormatPattern(e, kPattern) : "NA";
    }
    return x <= 0 ? "NA" : FormatPattern(std::log(double(x)), kPattern);
}

} // namespace yarrow
