// Number text: lenient and strict reading, and the number patterns. Input: a text, or
// "value-text \x01 pattern".

#include "FuzzInput.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"

using namespace yarrow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzz::Text(data, size);
    const size_t cut = input.find('\x01');
    const std::string text = input.substr(0, cut);
    fuzz::Answer([&] {
        const double v = Val(text);
        fuzz::RequireFinite(v);
        fuzz::Answer([&] { (void)CSng(v); });
        (void)GeneralText(v);
    });
    fuzz::Answer([&] {
        const bool numeric = IsNumeric(text);
        const float s = SafeSingle(text);
        fuzz::RequireFinite(s);
        if (!numeric)
            fuzz::Require(s == 0);
        fuzz::RequireFinite(SafeDouble(text));
        (void)GeneralText(s);
    });
    if (cut != std::string::npos && input.size() - cut < 64) {
        const std::string pattern = input.substr(cut + 1);
        fuzz::Answer([&] {
            const double v = Val(text);
            (void)FormatPattern(v, pattern);
            if (std::fabs(v) < 1e15)
                (void)FormatFixed(v, static_cast<int>(pattern.size() % 16));
        });
    }
    return 0;
}
