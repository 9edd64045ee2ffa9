#include "core/grid/ClipboardLineEnds.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

TEST(ClipboardLineEnds, ConvertBetweenThePlatformAndTheGridProcedures) {
    struct Case {
        const char* name;
        std::string platform, in, out;
    };
    const std::vector<Case> cases = {
        {"LF rows from a spreadsheet", "a\tb\nc\td\n", "a\tb\r\nc\td\r\n", "a\tb\nc\td\n"},
        {"CR LF rows stay", "a\r\nb\r\n", "a\r\nb\r\n", "a\nb\n"},
        {"lone CR rows", "a\rb", "a\r\nb", "a\nb"},
        {"mixed, with an empty line", "a\n\r\nb\r\rc", "a\r\n\r\nb\r\n\r\nc", "a\n\nb\n\nc"},
        {"LF CR is two breaks", "a\n\rb", "a\r\n\r\nb", "a\n\nb"},
        {"no line break", "4.25\t100", "4.25\t100", "4.25\t100"},
        {"empty", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClipboardTextIn(c.platform), c.in) << c.name;
        EXPECT_EQ(ClipboardTextOut(c.in), c.out) << c.name;
        // Reading what was read changes nothing more.
        EXPECT_EQ(ClipboardTextIn(c.in), c.in) << c.name;
    }
    // The grid writes CR between rows; other programs get LF.
    EXPECT_EQ(ClipboardTextOut("a\tb\rc\td"), "a\tb\nc\td");
}

} // namespace
} // namespace yarrow
