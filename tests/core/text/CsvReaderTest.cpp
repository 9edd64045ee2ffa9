#include "core/text/CsvReader.h"

#include <gtest/gtest.h>

using namespace yarrow;
using Records = std::vector<std::vector<std::string>>;

TEST(CsvReader, ReadsRecordsAsSpreadsheetsWriteThem) {
    struct Case {
        const char* text;
        Records expected;
    };
    const Case cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"a\rb\r", {{"a"}, {"b"}}},
        {"\xEF\xBB\xBFName,Coupon\n", {{"Name", "Coupon"}}},
        {"\"10Y, Note\",4.5\n", {{"10Y, Note", "4.5"}}},
        {"\"say \"\"hi\"\"\",x", {{"say \"hi\"", "x"}}},
        {"\"two\r\nlines\",x\ny", {{"two\r\nlines", "x"}, {"y"}}},
        {"a,,b,\n", {{"a", "", "b", ""}}},
        {"a\n\nb", {{"a"}, {""}, {"b"}}},
        {"\"open,to the end\nstill", {{"open,to the end\nstill"}}},
        {"\"q\"tail,z", {{"qtail", "z"}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadCsvRecords(c.text), c.expected);
    }
    EXPECT_EQ(ReadCsvRecords("a\tb\n", '\t'), (Records{{"a", "b"}}));
}

TEST(CsvReader, TellsQuotedFieldsAndStopsWhenAsked) {
    std::vector<std::pair<std::string, bool>> seen;
    ForEachCsvField("\"1\",2,3\n4", ',', [&](size_t row, size_t col, CsvField&& f) {
        seen.emplace_back(std::to_string(row) + ":" + std::to_string(col) + "=" + f.text, f.quoted);
        return seen.size() < 3;
    });
    const std::vector<std::pair<std::string, bool>> expected = {
        {"0:0=1", true}, {"0:1=2", false}, {"0:2=3", false}};
    EXPECT_EQ(seen, expected);
}
