#include "core/text/TextSplit.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

using Pieces = std::vector<std::string_view>;

TEST(TextSplit, KeepsEmptyPiecesAndTreatsEveryLineBreakAlike) {
    EXPECT_EQ(SplitText("", ','), Pieces{""});
    EXPECT_EQ(SplitText("a", ','), Pieces{"a"});
    EXPECT_EQ(SplitText("2010-12-31,0.12", ','), (Pieces{"2010-12-31", "0.12"}));
    EXPECT_EQ(SplitText(",a,,b,", ','), (Pieces{"", "a", "", "b", ""}));
    EXPECT_EQ(SplitText("a\tb,c", '\t'), (Pieces{"a", "b,c"}));

    EXPECT_EQ(SplitLines(""), Pieces{""});
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Pieces{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (Pieces{"a", ""}));
    EXPECT_EQ(SplitLines("a\n\r\nb"), (Pieces{"a", "", "b"})); // LF then CR LF: two breaks
    EXPECT_EQ(SplitLines("a\r\rb"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\n"), (Pieces{"", ""}));
}

} // namespace
} // namespace yarrow
