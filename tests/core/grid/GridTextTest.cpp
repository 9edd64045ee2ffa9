#include "core/grid/GridText.h"

#include "core/text/RuntimeError.h"
#include "support/MemoryClipboard.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace yarrow {
namespace {

// Takes fields until the text is used up; the remaining text is checked after each one.
std::vector<std::string> AllFields(std::string text) {
    std::vector<std::string> fields;
    while (!text.empty() && fields.size() < 20)
        fields.push_back(NextField(text, 0));
    return fields;
}

TEST(NextField, CutsFieldsOneByOne) {
    std::string list = "alpha\tbeta\tgamma";
    EXPECT_EQ(NextField(list, 0), "alpha");
    EXPECT_EQ(list, "beta\tgamma");
    EXPECT_EQ(NextField(list, 0), "beta");
    EXPECT_EQ(NextField(list, 0), "gamma");
    EXPECT_EQ(list, "");
    EXPECT_EQ(NextField(list, 0), "");
    EXPECT_EQ(list, "");

    std::string column = "x\r\ny";
    EXPECT_EQ(NextField(column, 0), "x");
    EXPECT_EQ(column, "y");
}

TEST(NextField, SeparatorsAndTheirPriority) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> fields;
    };
    const std::vector<Case> cases = {
        {"no separator", "4.25", {"4.25"}},
        {"lone CR", "a\rb", {"a", "b"}},
        {"TAB anywhere comes before an earlier line break", "a\r\nb\tc", {"a\r\nb", "c"}},
        {"CR LF comes before an earlier lone CR", "a\rb\r\nc", {"a\rb", "c"}},
        {"column ending in CR LF", "1\r\n2\r\n", {"1", "2"}},
        // An empty cell in a spreadsheet column keeps its place; the cells below do not move up.
        {"empty cell in a column", "1\r\n\r\n3", {"1", "", "3"}},
        {"empty entry in a list", "a\t\tb", {"a", "", "b"}},
        {"leading separator", "\tb", {"", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AllFields(c.text), c.fields) << c.name;

    // The mode argument is reserved.
    std::string text = "a\tb";
    EXPECT_EQ(NextField(text, 1), "a");
}

TEST(TextCleaning, CommasAndLineFeeds) {
    struct Case {
        std::string in, withoutCommas, withoutLineFeeds;
    };
    const std::vector<Case> cases = {
        {"1,250.00", "1250.00", "1,250.00"},
        {"Smith, Jones, and Co", "Smith Jones and Co", "Smith, Jones, and Co"},
        {"a\r\nb\n", "a\r\nb\n", "a\r b "},
        {"", "", ""},
        {",,,", "", ",,,"},
    };
    for (const auto& c : cases) {
        std::string t = c.in;
        RemoveCommas(t);
        EXPECT_EQ(t, c.withoutCommas) << c.in;
        t = c.in;
        ReplaceLineFeeds(t);
        EXPECT_EQ(t, c.withoutLineFeeds) << c.in;
    }
}

// A 5x4 grid with one heading row and column, body cells "r,c".
GridModel SampleGrid() {
    GridModel grid(5, 4, 1, 1);
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c)
            grid.SetTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
    return grid;
}

class ClipboardProcedures : public ::testing::Test {
protected:
    GridModel grid = SampleGrid();
    MemoryClipboard clipboard;
    RecordingDialogs dialogs;
};

TEST_F(ClipboardProcedures, CopySelectionPutsItsRangeTextOnTheClipboard) {
    const char* texts[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetTextMatrix(r + 2, c + 1, texts[r][c]);
    grid.Select(3, 3, 2, 1);
    clipboard.content = "old";

    CopyGridSelection(grid, clipboard, dialogs);

    EXPECT_EQ(clipboard.content, "a\tb\tc\rd\te\tf");
    EXPECT_EQ(clipboard.clears, 1);
    EXPECT_EQ(grid.Row(), 3); // the selection is left alone
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ClipboardProcedures, CopyWholeGridTakesTheHeadingsAndLeavesAllSelected) {
    GridModel small(2, 3, 1, 1);
    const char* texts[2][3] = {{"", "Rate", "Amount"}, {"1", "4.5", "100"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            small.SetTextMatrix(r, c, texts[r][c]);

    CopyWholeGrid(small, clipboard, dialogs);

    EXPECT_EQ(clipboard.content, "\tRate\tAmount\r1\t4.5\t100");
    EXPECT_EQ(clipboard.clears, 1);
    const GridModel::Range all = small.Selection();
    EXPECT_EQ(all.row1, 0);
    EXPECT_EQ(all.col1, 0);
    EXPECT_EQ(all.row2, 1);
    EXPECT_EQ(all.col2, 2);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ClipboardProcedures, SpreadsheetRowsPastedIntoTheSelection) {
    clipboard.content = "1\t2\r\n3\t4\r\n";
    grid.Select(1, 1, 3, 2);

    PasteToGridSelection(grid, clipboard, dialogs);

    EXPECT_EQ(grid.TextMatrix(1, 1), "1");
    EXPECT_EQ(grid.TextMatrix(1, 2), "2");
    EXPECT_EQ(grid.TextMatrix(2, 1), " 3"); // the LF of the row break turns into a blank
    EXPECT_EQ(grid.TextMatrix(2, 2), "4");
    EXPECT_EQ(grid.TextMatrix(3, 1), " "); // what follows the last row break
    EXPECT_EQ(grid.TextMatrix(3, 2), "3,2");
    EXPECT_EQ(grid.TextMatrix(4, 1), "4,1");
    EXPECT_EQ(grid.Selection().row2, 3);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ClipboardProcedures, SpreadsheetRowsPastedIntoTheBody) {
    clipboard.content = "1\t2\r\n3\t4\r\n";
    grid.Select(0, 0, 0, 0);

    PasteIntoGridBody(grid, clipboard, dialogs);

    EXPECT_EQ(grid.TextMatrix(1, 1), "1");
    EXPECT_EQ(grid.TextMatrix(1, 2), "2");
    EXPECT_EQ(grid.TextMatrix(2, 1), "03"); // a leading zero keeps the number
    EXPECT_EQ(grid.TextMatrix(2, 2), "4");
    EXPECT_EQ(grid.TextMatrix(3, 1), "0");
    EXPECT_EQ(grid.TextMatrix(3, 2), "3,2");
    EXPECT_EQ(grid.TextMatrix(1, 3), "1,3");
    EXPECT_EQ(grid.TextMatrix(0, 1), "0,1"); // headings untouched
    EXPECT_EQ(grid.TextMatrix(1, 0), "1,0");
    const GridModel::Range body = grid.Selection();
    EXPECT_EQ(body.row1, 1);
    EXPECT_EQ(body.col1, 1);
    EXPECT_EQ(body.row2, 4);
    EXPECT_EQ(body.col2, 3);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ClipboardProcedures, PastingDropsCommas) {
    clipboard.content = "1,250.00\tSmith, Jones\r\n";
    grid.Select(1, 1, 1, 2);
    PasteToGridSelection(grid, clipboard, dialogs);
    EXPECT_EQ(grid.TextMatrix(1, 1), "1250.00");
    EXPECT_EQ(grid.TextMatrix(1, 2), "Smith Jones");

    PasteIntoGridBody(grid, clipboard, dialogs);
    EXPECT_EQ(grid.TextMatrix(1, 1), "1250.00");
    EXPECT_EQ(grid.TextMatrix(2, 1), "0");
}

TEST_F(ClipboardProcedures, ABlockPastedOntoTheCornerStaysInsideTheGrid) {
    clipboard.content = "p\tq\tr\r\ns\tt\tu\r\nv\tw\tx";
    grid.Select(4, 3, 4, 3);
    PasteToGridSelection(grid, clipboard, dialogs);
    EXPECT_EQ(grid.TextMatrix(4, 3), "p");
    EXPECT_EQ(grid.TextMatrix(4, 2), "4,2");
    EXPECT_EQ(grid.TextMatrix(3, 3), "3,3");
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cols(), 4);

    // The body of a grid with one body cell takes one field.
    GridModel tiny(2, 2, 1, 1);
    PasteIntoGridBody(tiny, clipboard, dialogs);
    EXPECT_EQ(tiny.TextMatrix(1, 1), "p");
    EXPECT_EQ(tiny.TextMatrix(0, 0), "");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ClipboardProcedures, NoTextOnTheClipboardIsReportedAndChangesNothing) {
    const std::string report = ErrorReportText(RuntimeError::InvalidPropertyValue());
    grid.Select(2, 2, 3, 3);
    for (const auto& content : {std::optional<std::string>(), std::optional<std::string>("")}) {
        clipboard.content = content;
        dialogs.messages.clear();
        PasteToGridSelection(grid, clipboard, dialogs);
        PasteIntoGridBody(grid, clipboard, dialogs);
        ASSERT_EQ(dialogs.messages.size(), 2u);
        for (const auto& m : dialogs.messages) {
            EXPECT_EQ(m.text, report);
            EXPECT_EQ(m.title, "Vantorix");
            EXPECT_EQ(m.icon, MessageIcon::Critical);
        }
    }
    EXPECT_NE(report.find("Invalid property value"), std::string::npos);
    EXPECT_EQ(grid.Clip(), "2,2\t2,3\r3,2\t3,3"); // not even reselected to the body
    EXPECT_EQ(grid.TextMatrix(1, 1), "1,1");
}

TEST_F(ClipboardProcedures, GrowingPastesFitTheWholeBlock) {
    // `after` is the whole grid after the paste, as range text.
    struct Case {
        GridModel grid;
        GridModel::Range sel;
        bool body; // PasteIntoGrowingBody, else PasteGrowingGrid
        std::string text;
        int lastRow;
        std::string after;
    };
    Case cases[] = {
        // One cell: the grid grows to the block (a spreadsheet's last row break is not a row).
        {GridModel(2, 2, 1, 1), {1, 1, 1, 1}, false, "5\t1,250\r\n7\t99\r\n", 2, "\t\t\r\t5\t1250\r\t 7\t99"},
        // A range keeps the fill rule: no growth, text beyond it ignored, a short block ends early.
        {GridModel(4, 3, 1, 1), {1, 1, 2, 2}, false, "a\tb\tc\rd\te\rf", 2, "\t\t\r\ta\tb\r\td\te\r\t\t"},
        {GridModel(4, 3, 1, 1), {1, 1, 2, 2}, false, "x\r\n", 1, "\t\t\r\tx\t\r\t \t\r\t\t"},
        // The body grows by rows to take every row; the trailing "0" row then falls outside it.
        {GridModel(3, 2, 1, 0),
         {0, 0, 0, 0},
         true,
         "1\t100\r\n2\t200\r\n3\t300\r\n4\t400\r\n",
         4,
         "\t\r1\t100\r02\t200\r03\t300\r04\t400"},
        {GridModel(4, 2, 1, 0), {0, 0, 0, 0}, true, "1\t5\r\n", 1, "\t\r1\t5\r0\t\r\t"},
    };
    for (Case& c : cases) {
        c.grid.Select(c.sel.row1, c.sel.col1, c.sel.row2, c.sel.col2);
        clipboard.content = c.text;
        EXPECT_EQ(c.body ? PasteIntoGrowingBody(c.grid, clipboard, dialogs)
                         : PasteGrowingGrid(c.grid, clipboard, dialogs),
                  c.lastRow)
            << c.text;
        c.grid.Select(0, 0, c.grid.Rows() - 1, c.grid.Cols() - 1);
        EXPECT_EQ(c.grid.Clip(), c.after) << c.text;
    }
    EXPECT_TRUE(dialogs.messages.empty());

    // Nothing to paste: reported, nothing grows.
    GridModel small(2, 2, 1, 1);
    clipboard.content.reset();
    EXPECT_EQ(PasteGrowingGrid(small, clipboard, dialogs), -1);
    EXPECT_EQ(PasteIntoGrowingBody(small, clipboard, dialogs), -1);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(small.Rows(), 2);
}

// A clipboard that another program holds open.
struct BusyClipboard : MemoryClipboard {
    void SetText(const std::string&) override { throw RuntimeError(521, "Can't open Clipboard"); }
};

TEST_F(ClipboardProcedures, AFailingClipboardIsReportedOnCopy) {
    BusyClipboard busy;
    CopyGridSelection(grid, busy, dialogs);
    CopyWholeGrid(grid, busy, dialogs);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, ErrorReportText("Can't open Clipboard"));
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(grid.RowSel(), 4); // the whole grid was selected before the failure
}

TEST(GridCellAccess, ReadMovesTheCurrentCellWriteDoesNot) {
    GridModel grid = SampleGrid();
    std::string text = "stale";
    ReadGridCell(grid, 3, 2, text);
    EXPECT_EQ(text, "3,2");
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.RowSel(), 3);
    EXPECT_EQ(grid.ColSel(), 2);

    WriteGridCell(grid, 0, 1, "Time");
    EXPECT_EQ(grid.TextMatrix(0, 1), "Time");
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 2);
}

TEST(GridCellAccess, CellsOutsideTheGridAreIgnored) {
    GridModel grid = SampleGrid();
    grid.Select(2, 2, 2, 2);
    const std::vector<std::pair<int, int>> outside = {{5, 1}, {1, 4}, {-1, 1}, {1, -1}};
    for (const auto& [row, col] : outside) {
        std::string text = "stale";
        EXPECT_NO_THROW(ReadGridCell(grid, row, col, text));
        EXPECT_EQ(text, "") << row << "," << col; // never another cell's text
        EXPECT_NO_THROW(WriteGridCell(grid, row, col, "x"));
    }
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cols(), 4);
}

} // namespace
} // namespace yarrow
