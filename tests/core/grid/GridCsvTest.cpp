#include "core/grid/GridCsv.h"

#include "core/grid/GridModel.h"

#include <gtest/gtest.h>

namespace yarrow {
namespace {

TEST(GridCsv, FieldsAreQuotedOnlyWhereASpreadsheetWouldMisreadThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"98.5000", "98.5000"},
        {"-0.2500", "-0.2500"},
        {"", ""},
        {"Smith, Jones", "\"Smith, Jones\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"a\r\nb", "\"a\r\nb\""},
        {" 7", "\" 7\""},
        {"7 ", "\"7 \""},
        {"$Duration", "$Duration"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CsvField(in), out) << in;
}

TEST(GridCsv, EveryCellHeadingsIncludedOneLinePerRow) {
    GridModel grid(3, 3, 1, 1);
    grid.SetTextMatrix(0, 1, "Quantity");
    grid.SetTextMatrix(0, 2, "Value");
    grid.SetTextMatrix(1, 0, "3TD");
    grid.SetTextMatrix(1, 1, "0");
    grid.SetTextMatrix(1, 2, "1,001.5");
    grid.SetTextMatrix(2, 0, "10");
    EXPECT_EQ(GridCsvText(grid), ",Quantity,Value\r\n3TD,0,\"1,001.5\"\r\n10,,\r\n");
}

} // namespace
} // namespace yarrow
