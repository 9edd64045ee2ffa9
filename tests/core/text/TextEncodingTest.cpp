#include "core/text/TextEncoding.h"

#include <gtest/gtest.h>

namespace yarrow {
namespace {

TEST(TextEncoding, FilesArriveAsUtf8AndPrintSafely) {
    struct Case {
        std::string bytes, utf8;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"\xEF\xBB\xBFName", "Name"},                     // UTF-8 with its byte-order mark
        {"Caf\xC3\xA9", "Caf\xC3\xA9"},                   // valid UTF-8 kept
        {"Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC"},     // Windows-1252: e acute, euro
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}, // a UTF-8 surrogate is no UTF-8
        {std::string("\xFF\xFE"
                     "A\0\xE9\0",
                     6),
         "A\xC3\xA9"},                                                    // UTF-16 LE
        {std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6), "\xF0\x9F\x98\x80"}, // UTF-16 BE, a pair
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextAsUtf8(c.bytes), c.utf8) << c.bytes;

    EXPECT_FALSE(LooksBinary("a\tb\r\nc\f"));
    EXPECT_TRUE(LooksBinary(std::string("a\0b", 3)));
    EXPECT_TRUE(LooksBinary("\x1b[31m"));

    EXPECT_EQ(PrintableText("ok \x1b[2J\x07 \xC2\x9B \xC3\xA9 \xFF"), "ok ?[2J? ? \xC3\xA9 \xEF\xBF\xBD");
    EXPECT_EQ(OneCellText("2Y\tNote\r\nA\rB\nC"), "2Y Note A B C");
}

} // namespace
} // namespace yarrow
