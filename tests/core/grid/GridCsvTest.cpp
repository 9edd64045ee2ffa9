#include "core/grid/GridCsv.h"

#include "core/grid/GridModel.h"

#include <gtest/gtest.h>

namespace yarrow {
namespace {

TEST(GridCsv, EveryCellQuotedOnlyWhereASpreadsheetWouldMisreadIt) {
    const char* cells[3][3] = {
        {"", "Quantity", "-0.2500"}, {"Smith, Jones", "say \"hi\"", "a\r\nb"}, {" 7", "7 ", ""}};
    GridModel grid(3, 3, 1, 1);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetTextMatrix(r, c, cells[r][c]);
    EXPECT_EQ(GridCsvText(grid),
              ",Quantity,-0.2500\r\n\"Smith, Jones\",\"say \"\"hi\"\"\",\"a\r\nb\"\r\n\" 7\",\"7 \",\r\n");
}

} // namespace
} // namespace yarrow
