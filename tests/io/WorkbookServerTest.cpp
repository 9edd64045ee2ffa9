#include "io/workbook/WorkbookServer.h"

#include "core/text/RuntimeError.h"
#include "io/workbook/WorkbookLinkClient.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace yarrow {
namespace {

// The workbooks of make_workbooks.py, written once per run by an independent writer.
class Workbooks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        QProcess writer;
        writer.start(YARROW_TEST_PYTHON, {YARROW_WORKBOOK_WRITER, dir_->path()});
        ASSERT_TRUE(writer.waitForFinished(120000));
        ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite() { dir_.reset(); }
    static QString File(const char* name) { return dir_->filePath(name); }

    // The reply of one request, or "error N" when it fails.
    static std::string Ask(WorkbookServer& server, const std::string& topic, const std::string& item) {
        try {
            return server.Request(topic, item);
        } catch (const RuntimeError& e) {
            return "error " + std::to_string(e.number());
        }
    }

    static std::unique_ptr<QTemporaryDir> dir_;
};
std::unique_ptr<QTemporaryDir> Workbooks::dir_;

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
