#include "io/workbook/WorkbookServer.h"

#include "core/text/RuntimeError.h"
#include "io/workbook/WorkbookLinkClient.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace yarrow {
namespace {

// The workbooks of make_workbooks.py, written once per test run by an independent writer: ctest
// writes them before the io tests (a fixture); a run of io_tests alone writes them when missing.
class Workbooks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QFile::exists(File("complete")))
            return;
        QProcess writer;
        writer.start(YARROW_TEST_PYTHON, {YARROW_WORKBOOK_WRITER, YARROW_TEST_WORKBOOKS});
        ASSERT_TRUE(writer.waitForFinished(120000));
        ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    static QString File(const char* name) { return QString(YARROW_TEST_WORKBOOKS) + "/" + name; }

    // The reply of one request, or "error N" when it fails.
    static std::string Ask(WorkbookServer& server, const std::string& topic, const std::string& item) {
        try {
            return server.Request(topic, item);
        } catch (const RuntimeError& e) {
            return "error " + std::to_string(e.number());
        }
    }
};

struct Exchange {
    std::string topic, item, reply;
};

void ExpectReplies(WorkbookServer& server, const std::vector<Exchange>& exchanges) {
    for (const Exchange& x : exchanges) {
        std::string reply;
        try {
            reply = server.Request(x.topic, x.item);
        } catch (const RuntimeError& e) {
            reply = "error " + std::to_string(e.number());
        }
        EXPECT_EQ(reply, x.reply) << x.topic << " " << x.item;
    }
}

TEST_F(Workbooks, CellsAsTheSpreadsheetShowsThem) {
    WorkbookServer server;
    server.Open(File("bonds.xlsx"));
    server.Open(File("bonds.ods"));
    server.Open(File("quotes.csv"));
    server.Open(File("mac1904.xlsx"));
    server.Open(YARROW_EXCEL_WORKBOOK);
    server.Open(File("inline.xlsx"));
    const std::string q = "[bonds.xlsx]Quotes";
    ExpectReplies(
        server,
        {
            {"System", "Topics",
             "[bonds.xlsx]Quotes\t[bonds.xlsx]Notes\t[bonds.ods]Bonds\t[bonds.ods]Second\t[quotes.csv]"
             "quotes\t"
             "[mac1904.xlsx]Mac\t[treasury-cmt-history-excel.xlsx]USTREASURY-YIELD\t[inline.xlsx]Quotes\t"
             "[inline.xlsx]Notes\tSystem"},
            {"System", "Selection", "[bonds.xlsx]Quotes!R5C3"},
            // Shared strings, a date format, General numbers, an empty cell at the end of the column.
            {q, "R2C1:R6C1", "2Y Note\r\n5Y Note\r\n10Y Note\r\n30Y Bond\r\n"},
            {q, "R2C3:R3C3", "12/31/2012\r\n12/31/2015"},
            {q, "F2C4:F3C5", "100.0625\t0.61\r\n100.5\t2.01"},
            {q, "R5C5", ""},
            // A time, a date and time, a grouped number, a percentage, a truth value, a tiny number.
            {q, "R2C6:R3C6", "13:30:15\r\n06/30/2010 12:00:00"},
            {q, "R2C7:R5C7", "1234567.5\r\n0.0125\r\nTRUE\r\n1E-05"},
            {"[BONDS.XLSX]notes", "R1C1", "Prices are clean"},
            // OpenDocument: blanks kept, repeated cells and rows, a date value, a time.
            {"[bonds.ods]Bonds", "R1C1:R1C4", "3Y  Note\t1\t12/31/2013\t99.96875"},
            {"[bonds.ods]Bonds", "R2C3:R3C5", "7\t7\t\r\n7\t7\t"},
            {"[bonds.ods]Second", "R1C1", "10:30:00"},
            // A .csv: quotes undone, plain numbers as numbers, other text as is.
            {"[quotes.csv]quotes", "R2C1:R3C4",
             "Bond, 2040\t4.25\t11/15/2040\t98.1875\r\nsay \"hi\"\t\tx\t7"},
            {"[mac1904.xlsx]Mac", "R1C1", "07/24/2018"},
            // Inline strings and formulas' cached values.
            {"[inline.xlsx]Notes", "R1C1:R1C4", "Inline \tab\t2\t#DIV/0!"},
            // Written by a spreadsheet program: a date, a yield, a formula's cached date.
            {"[treasury-cmt-history-excel.xlsx]USTREASURY-YIELD", "R3C1:R3C2", "07/24/2018\t1.92"},
            {"[treasury-cmt-history-excel.xlsx]USTREASURY-YIELD", "R3C13", "07/24/2018"},
            {"[treasury-cmt-history-excel.xlsx]USTREASURY-YIELD", "R463C1:R463C2", "09/20/2016\t0.17"},
            // Refusals: unknown topics answer nothing; bad items are refused.
            {"[bonds.xlsx]Nope", "R1C1", "error 282"},
            {"Sheet1", "R1C1", "error 282"},
            {q, "R5C-1:R20C-1", "error 285"},
            {q, "R0C1", "error 285"},
            {q, "R1C1:R1048576C16384", "error 285"},
            {"System", "Formats", "error 285"},
        });
    server.SetDateOrder(DateOrder::DayFirst);
    EXPECT_EQ(Ask(server, q, "R2C3"), "31/12/2012");
}

TEST_F(Workbooks, HostileFilesAreRefusedAndNothingOpenIsLost) {
    struct Case {
        const char* file;
        const char* why;
    };
    const Case cases[] = {
        {"truncated.xlsx", "not a workbook, or it is damaged"},
        {"garbage.xlsx", "not a workbook, or it is damaged"},
        {"nosheet.xlsx", "xl/worksheets/sheet2.xml of its sheet \"Notes\" is missing"},
        {"bomb.xlsx", "unpacks to more than 64 MB"},
        {"million.csv", "more than 500000 filled cells"},
        {"quotes.txt", "only .xlsx, .xlsm, .ods and .csv"},
        {"deepshared.xlsx", "a cell of its part xl/sharedStrings.xml nests more than 256 elements deep"},
        {"deepinline.xlsx", "a cell of its part xl/worksheets/sheet2.xml nests more than 256 elements"},
        {"deep.ods", "a cell of its part content.xml nests more than 256 elements deep"},
        {"sharedtext.xlsx", "its cells hold more than 64 MB of text"},
        {"widetext.ods", "its cells hold more than 64 MB of text"},
        {"blanks.ods", "its cells hold more than 64 MB of text"},
    };
    WorkbookServer server;
    server.Open(File("quotes.csv"));
    for (const Case& c : cases) {
        try {
            server.Open(File(c.file));
            ADD_FAILURE() << c.file << " was read";
        } catch (const WorkbookError& e) {
            EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(c.file, 0), 0u) << e.what();
        }
    }
    EXPECT_EQ(server.OpenBooks(), QStringList{"quotes.csv"});
    EXPECT_EQ(Ask(server, "[quotes.csv]quotes", "R1C1"), "Name");
}

// The limit a refusal names is the one hit; repeats past the sheet's last column cost nothing.
TEST_F(Workbooks, RefusalsNameTheLimitHit) {
    struct Case {
        const char* file;
        WorkbookLimits limits;
        const char* why; // empty: read
    };
    WorkbookLimits small;
    small.maxPartBytes = 1 << 20;
    small.maxTotalBytes = 2 << 20;
    WorkbookLimits fewCells;
    fewCells.maxCells = 20000;
    const Case cases[] = {
        {"parts.xlsx", small, "its parts unpack to more than 2 MB together"},
        {"bomb.xlsx", {}, "its part xl/worksheets/sheet1.xml unpacks to more than 64 MB"},
        {"wide.ods", fewCells, ""},
    };
    for (const Case& c : cases) {
        WorkbookServer server(c.limits);
        try {
            server.Open(File(c.file));
            EXPECT_STREQ(c.why, "") << c.file << " was read";
        } catch (const WorkbookError& e) {
            EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos) << e.what();
            EXPECT_NE(c.why[0], '\0') << e.what();
        }
    }
    WorkbookServer server;
    server.Open(File("wide.ods"));
    EXPECT_EQ(Ask(server, "[wide.ods]S", "R1C16383:R1C16384"), "x\tx");
}

// One cell stays one cell in a reply; names a spreadsheet program accepts reach their sheets;
// text files in other encodings arrive as UTF-8; a formula without a saved value is reported.
TEST_F(Workbooks, RepliesKeepCellsAndNamesWhole) {
    WorkbookServer server;
    server.Open(File("cells.xlsx"));
    server.Open(File("cells.csv"));
    server.Open(File("latin1.csv"));
    server.Open(File("Q3!rates]xla.xlsx"));
    ExpectReplies(server, {
                              {"[cells.xlsx]Quotes", "R1C1:R3C1", "2Y Note\r\n5Y Note\r\n30Y Bond"},
                              {"[cells.xlsx]Quotes", "R2C2", ""},
                              {"[cells.csv]cells", "R1C1:R4C2",
                               "2Y Note\t0.625\r\n5Y Note\t2.125\r\n30Y Bond\t4.25\r\nSt\xC3\xA9phane\t1"},
                              {"[latin1.csv]latin1", "R1C1", "Caf\xC3\xA9"},
                              {"[Q3!rates]xla.xlsx]Sh!eet", "R1C1", "first"},
                              {"[Q3!rates]xla.xlsx]System Data", "R1C1", "second"},
                          });
    const std::vector<std::string> warnings = server.Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("Quotes!B2 of cells.xlsx holds a formula without a saved result"),
              std::string::npos)
        << warnings[0];
}

TEST_F(Workbooks, AnEditOnDiskIsReadAtTheNextRequest) {
    QTemporaryDir dir;
    const QString path = dir.filePath("live.csv");
    auto write = [&](const QByteArray& text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    write("2Y,0.5\n");
    WorkbookServer server;
    server.Open(path);
    EXPECT_EQ(Ask(server, "[live.csv]live", "R1C2"), "0.5");
    write("2Y,0.625,extra\n"); // a different size is a change even within the clock's resolution
    EXPECT_EQ(Ask(server, "[live.csv]live", "R1C2"), "0.625");
    // An edit that can no longer be read is refused, and the workbook stays open.
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(File("million.csv"), path));
    EXPECT_EQ(Ask(server, "[live.csv]live", "R1C2"), "error 285");
    EXPECT_EQ(server.OpenBooks(), QStringList{"live.csv"});
    // Two open workbooks never share a name.
    QTemporaryDir other;
    ASSERT_TRUE(QFile::copy(File("quotes.csv"), other.filePath("live.csv")));
    EXPECT_THROW(server.Open(other.filePath("live.csv")), WorkbookError);
}

TEST_F(Workbooks, TheLinkClientAnswersOnlyExcelWithAWorkbookOpen) {
    WorkbookServer server;
    WorkbookLinkClient client(server);
    EXPECT_THROW(client.Open("Excel", "System", "Topics"), RuntimeError);
    server.Open(File("bonds.xlsx"));
    EXPECT_THROW(client.Open("Word", "System", "Topics"), RuntimeError);
    client.Open("Excel", "[bonds.xlsx]Quotes", "R2C1");
    EXPECT_EQ(client.Request(), "2Y Note");
    client.Close();
    EXPECT_THROW(client.Request(), RuntimeError);
    EXPECT_TRUE(server.Close("BONDS.xlsx"));
    EXPECT_FALSE(server.Close("bonds.xlsx"));
    EXPECT_THROW(client.Open("Excel", "System", "Topics"), RuntimeError);
}

} // namespace
} // namespace yarrow
