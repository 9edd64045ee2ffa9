#include "core/grid/GridModel.h"

#include "core/text/RuntimeError.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

// Fills every cell with "r,c" so moved or lost cells show.
void FillCoordinates(GridModel& grid) {
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
            grid.SetTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
}

int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

constexpr int kSubscript = 9;
constexpr int kInvalidProperty = 380;

TEST(GridModelShape, NewGridStartsOnFirstBodyCell) {
    GridModel grid(5, 4, 2, 1);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.FixedRows(), 2);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 1);
    EXPECT_EQ(grid.TextMatrix(4, 3), "");
}

TEST(GridModelShape, InvalidSizesAreRefused) {
    struct Case {
        int rows, cols, fixedRows, fixedCols;
    };
    const std::vector<Case> cases = {
        {0, 2, 0, 0},  {2, 0, 0, 0},  {-1, 2, 0, 0}, {2, 2, 2, 0},        {2, 2, 0, 2},
        {2, 2, -1, 0}, {2, 2, 0, -1}, {3, 2, 5, 1},  {100000, 100, 0, 0}, // beyond the cell limit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorNumberOf([&] { GridModel(c.rows, c.cols, c.fixedRows, c.fixedCols); }),
                  kInvalidProperty)
            << c.rows << "x" << c.cols << " fixed " << c.fixedRows << "/" << c.fixedCols;
    }
    EXPECT_EQ(ErrorNumberOf([] { GridModel(1, 1, 0, 0); }), 0);
}

TEST(GridModelShape, RefusedResizeLeavesGridAsItWas) {
    GridModel grid(4, 3, 1, 1);
    FillCoordinates(grid);
    EXPECT_EQ(ErrorNumberOf([&] { grid.SetRows(1); }), kInvalidProperty); // would leave no body row
    EXPECT_EQ(ErrorNumberOf([&] { grid.SetCols(0); }), kInvalidProperty);
    EXPECT_EQ(ErrorNumberOf([&] { grid.SetFixedRows(4); }), kInvalidProperty);
    EXPECT_EQ(ErrorNumberOf([&] { grid.SetFixedCols(-1); }), kInvalidProperty);
    EXPECT_EQ(ErrorNumberOf([&] { grid.SetRows(3'000'000); }), kInvalidProperty);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.TextMatrix(3, 2), "3,2");
}

TEST(GridModelShape, ResizeKeepsTheTextsOfRemainingCells) {
    GridModel grid(3, 3, 1, 1);
    FillCoordinates(grid);

    grid.SetCols(5);
    grid.SetRows(4);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(grid.TextMatrix(r, c), std::to_string(r) + "," + std::to_string(c));
    EXPECT_EQ(grid.TextMatrix(1, 4), "");
    EXPECT_EQ(grid.TextMatrix(3, 0), "");

    grid.SetCols(2);
    grid.SetRows(2);
    EXPECT_EQ(grid.TextMatrix(1, 1), "1,1");
    EXPECT_EQ(grid.TextMatrix(0, 1), "0,1");

    // Cells dropped by shrinking come back empty.
    grid.SetCols(3);
    grid.SetRows(3);
    EXPECT_EQ(grid.TextMatrix(1, 2), "");
    EXPECT_EQ(grid.TextMatrix(2, 0), "");
    EXPECT_EQ(grid.TextMatrix(1, 1), "1,1");
}

TEST(GridModelShape, ClearEmptiesCellsButKeepsSizeAndSelection) {
    GridModel grid(3, 3, 1, 1);
    FillCoordinates(grid);
    grid.Select(1, 1, 2, 2);
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Clip(), "\t\r\t");
    EXPECT_EQ(grid.TextMatrix(0, 0), "");
    EXPECT_EQ(grid.RowSel(), 2);
}

TEST(GridModelIndexes, CellsOutsideTheGridRaiseSubscriptOutOfRange) {
    GridModel grid(3, 4, 1, 1);
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"TextMatrix row -1", [&] { (void)grid.TextMatrix(-1, 0); }},
        {"TextMatrix row Rows", [&] { (void)grid.TextMatrix(3, 0); }},
        {"TextMatrix col Cols", [&] { (void)grid.TextMatrix(0, 4); }},
        {"SetTextMatrix", [&] { grid.SetTextMatrix(2, 4, "x"); }},
        {"SetRow", [&] { grid.SetRow(3); }},
        {"SetCol", [&] { grid.SetCol(-1); }},
        {"SetRowSel", [&] { grid.SetRowSel(-1); }},
        {"SetColSel", [&] { grid.SetColSel(4); }},
        {"Select current corner", [&] { grid.Select(3, 0, 1, 1); }},
        {"Select other corner", [&] { grid.Select(1, 1, 2, 4); }},
    };
    for (const auto& [name, action] : actions)
        EXPECT_EQ(ErrorNumberOf(action), kSubscript) << name;
    EXPECT_EQ(ErrorNumberOf([&] { grid.SetTextMatrix(2, 3, "x"); }), 0);
}

TEST(GridModelSelection, RangeIsTheRectangleBetweenTheCornersInEitherDirection) {
    GridModel grid(4, 4, 1, 1);
    FillCoordinates(grid);
    grid.Select(1, 1, 2, 3);
    const std::string forward = grid.Clip();
    EXPECT_EQ(forward, "1,1\t1,2\t1,3\r2,1\t2,2\t2,3");

    grid.Select(2, 3, 1, 1); // current cell at the bottom right
    EXPECT_EQ(grid.Clip(), forward);
    grid.Select(1, 3, 2, 1); // mixed directions
    EXPECT_EQ(grid.Clip(), forward);
    const GridModel::Range range = grid.Selection();
    EXPECT_EQ(range.row1, 1);
    EXPECT_EQ(range.col1, 1);
    EXPECT_EQ(range.row2, 2);
    EXPECT_EQ(range.col2, 3);

    // Writing starts from the top-left cell whatever corner is current.
    grid.Select(2, 3, 1, 1);
    grid.SetClip("A\tB");
    EXPECT_EQ(grid.TextMatrix(1, 1), "A");
    EXPECT_EQ(grid.TextMatrix(1, 2), "B");
    EXPECT_EQ(grid.TextMatrix(2, 3), "2,3");
}

TEST(GridModelSelection, MovingTheCurrentCellCollapsesTheSelection) {
    GridModel grid(5, 5, 1, 1);
    grid.Select(1, 1, 3, 3);
    grid.SetRow(2);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 1);

    grid.Select(1, 1, 3, 3);
    grid.SetCol(4);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.RowSel(), 1);
    EXPECT_EQ(grid.ColSel(), 4);

    // Setting the other corner extends from the current cell.
    grid.SetRowSel(3);
    grid.SetColSel(2);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(grid.Selection().col1, 2);
}

TEST(GridModelSelection, SelectionCannotRunBeyondTheGrid) {
    GridModel grid(4, 3, 1, 1);
    FillCoordinates(grid);
    grid.Select(1, 1, 3, 2);

    // A corner beyond the grid is refused and the old selection stays whole.
    EXPECT_EQ(ErrorNumberOf([&] { grid.Select(0, 0, 4, 2); }), kSubscript);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.RowSel(), 3);
    EXPECT_EQ(grid.Clip(), "1,1\t1,2\r2,1\t2,2\r3,1\t3,2");

    // Shrinking the grid under the selection clamps it, so its text covers what remains.
    grid.SetRows(3);
    grid.SetCols(2);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 1);
    EXPECT_EQ(grid.Clip(), "1,1\r2,1");

    // Shrinking to the current cell's own row moves it too.
    grid.Select(2, 1, 2, 1);
    grid.SetRows(2);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Clip(), "1,1");
}

TEST(GridModelClip, RangeTextSeparatesCellsByTabAndRowsByCr) {
    GridModel grid(3, 4, 1, 1);
    const char* texts[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetTextMatrix(r + 1, c + 1, texts[r][c]);
    grid.Select(1, 1, 2, 3);
    EXPECT_EQ(grid.Clip(), "a\tb\tc\rd\te\tf");

    grid.Select(1, 1, 1, 1);
    EXPECT_EQ(grid.Clip(), "a");

    // Empty cells still get their separators, but nothing follows the last cell.
    grid.Select(0, 0, 1, 1);
    EXPECT_EQ(grid.Clip(), "\t\r\ta");
}

TEST(GridModelClip, SettingFillsOnlyTheSelectedRange) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> expected; // rows 1..4 of column 1..2 after the write, "|" between
    };
    // The selection is rows 1..3, columns 1..2 of a 5x4 grid filled with "r,c".
    const std::vector<Case> cases = {
        {"five rows into three", "a\tb\rc\td\re\tf\rg\th\ri\tj", {"a|b", "c|d", "e|f", "4,1|4,2"}},
        {"two rows into three", "a\tb\rc\td", {"a|b", "c|d", "3,1|3,2", "4,1|4,2"}},
        {"short row keeps the rest", "a\rc\td\te\tf", {"a|1,2", "c|d", "3,1|3,2", "4,1|4,2"}},
        {"empty fields do write", "\tb\r\t", {"|b", "|", "3,1|3,2", "4,1|4,2"}},
        {"trailing CR starts an empty row", "a\tb\r", {"a|b", "|2,2", "3,1|3,2", "4,1|4,2"}},
        {"LF is plain text", "a\r\nb", {"a|1,2", "\nb|2,2", "3,1|3,2", "4,1|4,2"}},
    };
    for (const auto& c : cases) {
        GridModel grid(5, 4, 1, 1);
        FillCoordinates(grid);
        grid.Select(1, 1, 3, 2);
        grid.SetClip(c.text);
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(grid.TextMatrix(r, 1) + "|" + grid.TextMatrix(r, 2),
                      c.expected[static_cast<size_t>(r - 1)])
                << c.name << ", row " << r;
        // Nothing outside the range moves.
        EXPECT_EQ(grid.TextMatrix(1, 3), "1,3") << c.name;
        EXPECT_EQ(grid.TextMatrix(0, 1), "0,1") << c.name;
        EXPECT_EQ(grid.TextMatrix(1, 0), "1,0") << c.name;
    }
}

TEST(GridModelClip, RangeTextRoundTripsThroughAnotherRange) {
    GridModel grid(6, 4, 1, 1);
    FillCoordinates(grid);
    grid.SetTextMatrix(2, 3, ""); // an empty last cell must come across as empty
    grid.Select(1, 1, 2, 3);
    const std::string text = grid.Clip();
    grid.Select(3, 1, 4, 3);
    grid.SetClip(text);
    EXPECT_EQ(grid.Clip(), text);
    EXPECT_EQ(grid.TextMatrix(4, 3), "");
    EXPECT_EQ(grid.TextMatrix(5, 1), "5,1");
}

struct RecordingObserver : GridObserver {
    void GridShapeChanged() override { events.push_back("shape"); }
    void GridCellsChanged(int r1, int c1, int r2, int c2) override {
        events.push_back("cells " + std::to_string(r1) + "," + std::to_string(c1) + "-" + std::to_string(r2) +
                         "," + std::to_string(c2));
    }
    void GridSelectionChanged() override { events.push_back("selection"); }
    std::vector<std::string> events;
};

TEST(GridModelObserver, ViewsHearOfEveryChange) {
    GridModel grid(5, 4, 1, 1);
    RecordingObserver observer;
    grid.SetObserver(&observer);

    grid.SetTextMatrix(2, 3, "x");
    grid.Select(1, 1, 3, 3);
    grid.SetClip("a\tb\rc"); // two rows, two columns of the three-by-three range written
    grid.SetRows(6);         // selection untouched
    grid.SetRows(3);         // selection clamped
    grid.SetFixedCols(2);
    grid.Clear();
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"cells 2,3-2,3", "selection", "cells 1,1-2,2", "shape", "shape",
                                        "selection", "shape", "cells 0,0-2,3"}));

    // Refused changes say nothing.
    observer.events.clear();
    EXPECT_THROW(grid.SetRows(0), RuntimeError);
    EXPECT_THROW(grid.SetTextMatrix(9, 9, "x"), RuntimeError);
    EXPECT_TRUE(observer.events.empty());

    // A copy is not watched by the original's view; assigning over a watched grid redraws it all.
    GridModel copy(grid);
    copy.SetTextMatrix(1, 1, "copy");
    EXPECT_TRUE(observer.events.empty());
    grid = GridModel(4, 2, 1, 1);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"shape", "cells 0,0-3,1", "selection"}));
    EXPECT_EQ(grid.Rows(), 4);

    observer.events.clear();
    grid.SetObserver(nullptr);
    grid.SetTextMatrix(1, 1, "y");
    EXPECT_TRUE(observer.events.empty());
}

} // namespace
} // namespace yarrow
