#include "core/grid/GridRows.h"

#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

// Column 1 of each row, the heading row included.
std::vector<std::string> Names(const GridModel& grid) {
    std::vector<std::string> names;
    for (int r = 0; r < grid.Rows(); ++r)
        names.push_back(grid.TextMatrix(r, 1));
    return names;
}

GridModel Rows(std::vector<std::string> names) {
    GridModel grid(static_cast<int>(names.size()), 3, 1, 1);
    for (int r = 0; r < grid.Rows(); ++r) {
        grid.SetTextMatrix(r, 1, names[static_cast<size_t>(r)]);
        grid.SetTextMatrix(r, 2, names[static_cast<size_t>(r)] + "!");
    }
    return grid;
}

TEST(GridRows, InsertAndDeleteMoveWholeRows) {
    struct Case {
        const char* name;
        std::function<void(GridModel&)> edit;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {"insert in the body", [](GridModel& g) { InsertGridRow(g, 2); }, {"h", "a", "", "b", "c"}},
        {"insert past the end", [](GridModel& g) { InsertGridRow(g, 4); }, {"h", "a", "b", "c", ""}},
        {"delete one", [](GridModel& g) { DeleteGridRows(g, 2, 2); }, {"h", "a", "c"}},
        {"delete a block, corners reversed", [](GridModel& g) { DeleteGridRows(g, 3, 1); }, {"h", ""}},
        {"delete the last", [](GridModel& g) { DeleteGridRows(g, 3, 3); }, {"h", "a", "b"}},
    };
    for (const Case& c : cases) {
        GridModel grid = Rows({"h", "a", "b", "c"});
        c.edit(grid);
        EXPECT_EQ(Names(grid), c.names) << c.name;
        for (int r = 0; r < grid.Rows(); ++r)
            EXPECT_EQ(grid.TextMatrix(r, 2), grid.TextMatrix(r, 1).empty() ? "" : grid.TextMatrix(r, 1) + "!")
                << c.name;
    }
    for (auto bad : std::vector<std::function<void(GridModel&)>>{
             [](GridModel& g) { InsertGridRow(g, 0); }, [](GridModel& g) { InsertGridRow(g, 5); },
             [](GridModel& g) { DeleteGridRows(g, 0, 1); }, [](GridModel& g) { DeleteGridRows(g, 2, 4); }}) {
        GridModel grid = Rows({"h", "a", "b", "c"});
        EXPECT_THROW(bad(grid), RuntimeError);
        EXPECT_EQ(Names(grid), (std::vector<std::string>{"h", "a", "b", "c"}));
    }
}

} // namespace
} // namespace yarrow
