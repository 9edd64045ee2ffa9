#include "core/data/ExcelLink.h"

#include "core/grid/GridModel.h"
#include "core/seams/LinkClient.h"
#include "core/text/RuntimeError.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace yarrow {
namespace {

// A spreadsheet played from a script: replies by item, every conversation recorded as
// "Excel|topic item". Without `running` every conversation fails as no application answering.
class RecordingLinkClient : public LinkClient {
public:
    void Open(const std::string& application, const std::string& topic, const std::string& item) override {
        EXPECT_FALSE(open_) << "a conversation was left open";
        log.push_back(application + "|" + topic + " " + item);
        if (!running)
            throw RuntimeError::NoApplicationResponding();
        item_ = item;
        open_ = true;
    }
    std::string Request() override {
        EXPECT_TRUE(open_);
        if (refused.count(item_))
            throw RuntimeError(285, "refused");
        requests.push_back(item_);
        auto it = replies.find(item_);
        return it == replies.end() ? "" : it->second;
    }
    void Close() override { open_ = false; }

    bool running = true;
    std::map<std::string, std::string> replies;
    std::map<std::string, bool> refused;
    std::vector<std::string> log;
    std::vector<std::string> requests;

private:
    std::string item_;
    bool open_ = false;
};

struct Fixture {
    RecordingLinkClient client;
    RecordingDialogs dialogs;
    std::string rowLetter;
    ExcelLink link{client, dialogs, nullptr, rowLetter};
};

TEST(ExcelLink, ColumnNumbers) {
    struct Case {
        std::string in, upper;
        int16_t number;
        bool message;
    };
    const Case cases[] = {
        {"iv", "IV", 256, false}, {"e", "E", 5, false}, {"12", "12", 12, false},  {"A", "A", 1, false},
        {"zz", "ZZ", 702, false}, {"", "", -1, true},   {"abc", "ABC", -1, true},
    };
    for (const Case& c : cases) {
        RecordingDialogs dialogs;
        std::string col = c.in;
        EXPECT_EQ(ColumnNumber(dialogs, col), c.number) << c.in;
        EXPECT_EQ(col, c.upper);
        EXPECT_EQ(dialogs.MessageTexts(),
                  c.message ? std::vector<std::string>{kColumnRangeMessage} : std::vector<std::string>{})
            << c.in;
    }
    RecordingDialogs dialogs;
    std::string huge = "40000";
    EXPECT_THROW(ColumnNumber(dialogs, huge), RuntimeError);
}

TEST(ExcelLink, FindSheetsFiltersTopicsAndReadsTheRowLetter) {
    struct Case {
        std::string selection;
        std::vector<bool> spanishAnswer; // scripted answer to the Spanish question, if asked
        std::string rowLetter;
    };
    const Case cases[] = {
        {"[Book1.xls]Sheet1!R1C1", {}, "R"},
        {"[Libro1.xls]Hoja1!F1C1", {}, "F"},
        {"[Book1.xls]Sheet1", {true}, "F"},
        {"Sheet1!", {false}, "R"},
        // '!' in file and sheet names: the row letter follows the last one.
        {"[Q3!rates.xlsx]Sh!eet!F5C3", {}, "F"},
    };
    for (const Case& c : cases) {
        Fixture f;
        for (bool a : c.spanishAnswer)
            f.dialogs.ScriptAnswers({a});
        f.client.replies["Selection"] = c.selection;
        // Add-ins and the system topic are left out; names that merely contain "xla" or
        // "System" are sheets.
        f.client.replies["Topics"] = "[Book1.xls]Sheet1\tSystem\tC:\\ADDINS\\ANALYS32.XLA\t[Book1.xls]Rates\t"
                                     "[Tools.xlam]Main\t[Maxlarge.xlsx]System Data";
        std::vector<std::string> cmb{"stale"};
        ASSERT_TRUE(FindExcelSheets(f.link, cmb)) << c.selection;
        EXPECT_EQ(cmb, (std::vector<std::string>{"[Book1.xls]Sheet1", "[Book1.xls]Rates",
                                                 "[Maxlarge.xlsx]System Data"}));
        EXPECT_EQ(f.rowLetter, c.rowLetter) << c.selection;
        EXPECT_EQ(f.dialogs.questions.size(), c.spanishAnswer.size()) << c.selection;
        EXPECT_EQ(f.client.log, (std::vector<std::string>{"Excel|System Topics", "Excel|System Selection",
                                                          "Excel|System Topics"}));
        EXPECT_TRUE(f.dialogs.messages.empty());
    }
}

TEST(ExcelLink, FindSheetsFailures) {
    // Not running: the user is told, the list is not touched.
    Fixture off;
    off.client.running = false;
    std::vector<std::string> cmb{"kept"};
    EXPECT_FALSE(FindExcelSheets(off.link, cmb));
    EXPECT_EQ(cmb, std::vector<std::string>{"kept"});
    EXPECT_EQ(off.dialogs.MessageTexts(), std::vector<std::string>{kRunExcelMessage});
    EXPECT_TRUE(ProbeExcel(off.link));

    // Only the system topic: the empty list cannot select its first entry.
    Fixture empty;
    empty.client.replies = {{"Selection", "[B.xlsx]S!R1C1"}, {"Topics", "System"}};
    EXPECT_FALSE(FindExcelSheets(empty.link, cmb));
    EXPECT_TRUE(cmb.empty());
    ASSERT_EQ(empty.dialogs.messages.size(), 1u);
    EXPECT_EQ(empty.dialogs.messages[0].text, ErrorReportText(RuntimeError::InvalidPropertyValue()));
}

TEST(ExcelLink, GetDataRequestsOneRangePerColumn) {
    struct Case {
        std::string rowLetter;
        bool yieldData;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"R", false, {"R5C2:R20C2", "R5C3:R20C3", "R5C4:R20C4", "R5C5:R20C5"}},
        {"F", false, {"F5C2:F20C2", "F5C3:F20C3", "F5C4:F20C4", "F5C5:F20C5"}},
        {"R", true, {"R5C2:R20C2", "R5C3:R20C3", "R5C4:R20C4", "R5C5:R20C5", "R5C6:R20C6"}},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.rowLetter = c.rowLetter;
        // A short name column: cells past the reply become empty.
        f.client.replies[c.items[0]] = "2Y\r\n5Y";
        f.client.replies[c.items[3]] = "99.5\r\n101";
        ExcelLinkSettings s{"[Book1.xls]Sheet1", "b", "c", "d", "e", "f", "5", " 20", c.yieldData};
        GridModel grid;
        ASSERT_TRUE(GetExcelData(f.link, s, grid));
        EXPECT_EQ(f.client.requests, c.items);
        EXPECT_EQ(f.client.log[0], "Excel|[Book1.xls]Sheet1 " + c.items[0]);
        EXPECT_EQ(grid.Rows(), 18);
        EXPECT_EQ(grid.Cols(), 6);
        EXPECT_EQ(grid.TextMatrix(1, 1), "Name");
        EXPECT_EQ(grid.TextMatrix(1, 5), "Yield");
        EXPECT_EQ(grid.TextMatrix(2, 1), "2Y");
        EXPECT_EQ(grid.TextMatrix(3, 1), "5Y");
        EXPECT_EQ(grid.TextMatrix(4, 1), "");
        EXPECT_EQ(grid.TextMatrix(3, 4), "101");
        EXPECT_EQ(s.nameCol, "B");
        EXPECT_TRUE(f.dialogs.messages.empty());
    }
}

TEST(ExcelLink, GetDataRefusalsKeepTheGrid) {
    GridModel before(4, 6);
    before.SetTextMatrix(2, 1, "typed");
    auto run = [&](Fixture& f, ExcelLinkSettings s) {
        GridModel grid(before);
        const bool ok = GetExcelData(f.link, s, grid);
        EXPECT_EQ(grid.Rows(), 4);
        EXPECT_EQ(grid.TextMatrix(2, 1), "typed");
        return ok;
    };
    // No sheet chosen.
    Fixture noSheet;
    EXPECT_FALSE(run(noSheet, {"", "B", "C", "D", "E", "F", "5", "20", true}));
    EXPECT_EQ(noSheet.dialogs.MessageTexts(), std::vector<std::string>{kFindSheetFirstMessage});
    EXPECT_TRUE(noSheet.client.log.empty());

    // An empty yield box is refused even when no yield is wanted; the request still goes out
    // with -1 and its refusal leaves the grid alone, after the other columns were read.
    Fixture badColumn;
    badColumn.rowLetter = "R";
    badColumn.client.refused["R5C-1:R20C-1"] = true;
    EXPECT_FALSE(run(badColumn, {"S", "", "C", "D", "E", "", "5", "20", false}));
    EXPECT_EQ(badColumn.client.requests,
              (std::vector<std::string>{"R5C3:R20C3", "R5C4:R20C4", "R5C5:R20C5"}));
    ASSERT_EQ(badColumn.dialogs.messages.size(), 3u);
    EXPECT_EQ(badColumn.dialogs.messages[0].text, kColumnRangeMessage);
    EXPECT_EQ(badColumn.dialogs.messages[1].text, kColumnRangeMessage);
    EXPECT_EQ(badColumn.dialogs.messages[2].text, ErrorReportText("refused"));

    // Rows 20..5: the grid cannot take -12 rows.
    Fixture reversed;
    reversed.rowLetter = "R";
    GridModel grid(before);
    ExcelLinkSettings s{"S", "B", "C", "D", "E", "F", "20", "5", true};
    EXPECT_THROW(GetExcelData(reversed.link, s, grid), RuntimeError);
    EXPECT_EQ(grid.TextMatrix(2, 1), "typed");
    EXPECT_TRUE(reversed.client.log.empty());
}

} // namespace
} // namespace yarrow
