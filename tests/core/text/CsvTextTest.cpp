#include "core/text/CsvText.h"

#include <gtest/gtest.h>

namespace yarrow {
namespace {

TEST(CsvText, QuotesOnlyWhatASpreadsheetWouldMisread) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"99.9700", "99.9700"},
        {"03/31/2011", "03/31/2011"},
        {"Zero's", "Zero's"},
        {"1,000", "\"1,000\""},
        {"say \"par\"", "\"say \"\"par\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {" padded", "\" padded\""},
        {"padded ", "\"padded \""},
        {"in side", "in side"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(CsvField(text), expected) << text;
    EXPECT_EQ(CsvLine({"Bond", "a,b", "", "\""}), "Bond,\"a,b\",,\"\"\"\"");
    EXPECT_EQ(CsvLine({}), "");
}

} // namespace
} // namespace yarrow
