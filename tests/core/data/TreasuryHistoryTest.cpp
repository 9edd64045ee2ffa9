#include "core/data/TreasuryHistory.h"

#include "core/text/CsvReader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace yarrow {
namespace {

namespace fs = std::filesystem;

const std::string kBundled = std::string(YARROW_SOURCE_DIR) + "/resources/history/treasury-cmt-daily-1962-2025.tsv";

// Rate of one series (a code of the files) on a day of the history, as text.
std::string RateOn(const CmtHistory& h, Date d, int series) {
    const size_t k = h.IndexOnOrBefore(d);
    return k < h.Size() && h.DayAt(k) == d ? HundredthsText(h.RateAt(k, series)) : "<no day>";
}

Date Iso(int y, int m, int d) {
    return MakeDate(y, m, d);
}

// FrbSeriesTable order: 3M 6M 1Y 2Y 3Y 5Y 7Y 10Y 20Y 30Y.
enum { M3 = 0, Y2 = 3, Y10 = 7 };

TEST(TreasuryHistory, BundledFiguresOfRecentYears) {
    const CmtHistory h = LoadTreasuryHistory(kBundled, "");
    struct Case {
        Date day;
        int series;
        const char* rate;
    } cases[] = {
        {Iso(2019, 8, 28), Y10, "1.47"}, {Iso(2019, 8, 28), M3, "1.99"}, {Iso(2020, 3, 9), Y10, "0.54"},
        {Iso(2023, 7, 3), M3, "5.44"},   {Iso(2023, 7, 3), Y2, "4.94"},  {Iso(2023, 7, 3), Y10, "3.86"},
        {Iso(2024, 12, 31), Y10, "4.58"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RateOn(h, c.day, c.series), c.rate) << FormatDate(c.day, "yyyy-mm-dd");
    EXPECT_EQ(h.Last(), Iso(2025, 7, 11));

    // The one-month series, which only the file carries, begins on 2001-07-31.
    std::ifstream in(kBundled);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto rows = ReadCsvRecords(text, '\t');
    const auto column = std::find(rows[0].begin(), rows[0].end(), "DGS1MO") - rows[0].begin();
    std::string first;
    for (size_t r = 1; r < rows.size() && first.empty(); ++r)
        if (rows[r].size() > size_t(column) && !rows[r][size_t(column)].empty() && rows[r][size_t(column)] != ".")
            first = rows[r][0] + " " + rows[r][size_t(column)];
    EXPECT_EQ(first, "2001-07-31 3.67");
}

// Treasury layout as served: quoted headings, a column we do not keep, newest first.
const char* kTreasury = "Date,\"1 Mo\",\"1.5 Mo\",\"2 Mo\",\"3 Mo\",\"4 Mo\",\"6 Mo\",\"1 Yr\",\"2 Yr\",\"3 Yr\","
                        "\"5 Yr\",\"7 Yr\",\"10 Yr\",\"20 Yr\",\"30 Yr\"\r\n"
                        "07/15/2025,4.35,4.36,4.37,4.42,4.38,4.30,4.07,3.93,3.90,3.99,4.19,4.43,4.96,4.96\r\n"
                        "07/14/2025,4.36,,4.37,4.41,4.38,4.31,4.09,3.90,3.86,3.99,4.19,4.42,4.96,4.96\r\n";

TEST(TreasuryRates, ReadsEitherOrderAndKeepsOurSeries) {
    const RatesFile f = ParseTreasuryRates(kTreasury, "2025");
    ASSERT_EQ(f.records.size(), 2u);
    EXPECT_TRUE(f.notes.empty());
    EXPECT_EQ(CmtRecordsText(f.records, true),
              "DATE\tDGS1\tDGS10\tDGS1MO\tDGS2\tDGS20\tDGS3\tDGS30\tDGS3MO\tDGS5\tDGS6MO\tDGS7\n"
              "2025-07-14\t4.09\t4.42\t4.36\t3.90\t4.96\t3.86\t4.96\t4.41\t3.99\t4.31\t4.19\n"
              "2025-07-15\t4.07\t4.43\t4.35\t3.93\t4.96\t3.90\t4.96\t4.42\t3.99\t4.30\t4.19\n");
    // Oldest first, ISO dates, headings shuffled and unquoted, empty values, rounding to hundredths.
    const RatesFile g = ParseTreasuryRates("10 Yr,Date,3 Mo\n4.425,2025-07-14,\n4.4249,2025-07-15,.5\n", "g");
    EXPECT_EQ(CmtRecordsText(g.records, false), "2025-07-14\t.\t4.43\t.\t.\t.\t.\t.\t.\t.\t.\t.\n"
                                                "2025-07-15\t.\t4.42\t.\t.\t.\t.\t.\t0.50\t.\t.\t.\n");
}

TEST(TreasuryRates, RefusesWhatItCannotUse) {
    const std::string head = "Date,\"3 Mo\",\"10 Yr\"\n";
    struct Case {
        std::string text;
        std::string error;
    } cases[] = {
        {"\n <!DOCTYPE html><html>", "2025 is an HTML page, not CSV"},
        {"", "2025 is empty"},
        {"\"Date\",\"Yield\",\"Term\"\n", "2025 has another layout; its headings are 'Date', 'Yield', 'Term'"},
        {head + "07/14/2025,4.41,4.42\n07/15/2025,n/a,4.43\n", "2025 row 3: 'n/a' under '3 Mo' is not a number"},
        {head + "07/15/2025,4.41,-1.01\n", "2025 row 2: '-1.01' under '10 Yr' is outside -1 % to 30 %"},
        {head + "07/15/2025,30.001,4.43\n", "2025 row 2: '30.001' under '3 Mo' is outside -1 % to 30 %"},
        {head + "07/15/2025,4.41,1234567890123456789\n", "2025 row 2: '1234567890123456789' under '10 Yr' is outside"},
        {head + "13/15/2025,4.41,4.43\n", "2025 row 2: '13/15/2025' is not a date"},
        {head + "07/15/2025,4.41\n07/16/2025,4.41,4.43\n", "2025 row 2 has 2 fields, the heading 3"},
        {head + "07/15/2025,4.41,4.43\n07/15/2025,4.41,4.43\n", "2025 holds 07/15/2025 twice"},
    };
    for (const Case& c : cases) {
        try {
            ParseTreasuryRates(c.text, "2025");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RatesFileError& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, c.error.size()), c.error);
        }
    }
    // The bounds themselves are rates.
    EXPECT_EQ(ParseTreasuryRates(head + "07/15/2025,-1.00,30.00\n", "b").records.size(), 1u);
}

TEST(TreasuryRates, PartialLastLineIsDroppedAndSaid) {
    struct Case {
        std::string tail;
        size_t days;
        bool said;
    } cases[] = {
        {"07/14/2025,4.41,4", 2, false}, // reads whole: kept, though without its line break
        {"07/14/2025,4.4", 1, true},
        {"07/14/2025,4.41,4.", 1, true},
        {"07/1", 1, true},
    };
    for (const Case& c : cases) {
        const RatesFile f = ParseTreasuryRates("Date,3 Mo,10 Yr\n07/15/2025,4.42,4.43\n" + c.tail, "2025");
        EXPECT_EQ(f.records.size(), c.days) << c.tail;
        ASSERT_EQ(f.notes.size(), c.said ? 1u : 0u) << c.tail;
        if (c.said) {
            EXPECT_EQ(f.notes[0], "2025: the file ends in a partial line, dropped: '" + c.tail + "'");
        }
    }
}

TEST(FredSeries, BothHeadingsAndNoValueMarks) {
    for (const char* head : {"observation_date,DGS10\n", "DATE,DGS10\r\n"}) {
        const RatesFile f = ParseFredSeries(std::string(head) + "2025-07-14,4.42\n2025-07-15,.\n2025-07-16,\n"
                                                                "2025-07-17,4.46\n",
                                            "DGS10", "DGS10");
        ASSERT_EQ(f.records.size(), 2u) << head;
        EXPECT_EQ(f.records[1].date, Iso(2025, 7, 17));
        EXPECT_EQ(f.records[1].rates[size_t(CmtFileSeriesIndex("DGS10"))], 446);
    }
    EXPECT_THROW(ParseFredSeries("observation_date,DGS2\n2025-07-14,3.90\n", "DGS10", "DGS10"), RatesFileError);
    EXPECT_THROW(ParseFredSeries("observation_date,DGS10\n2025-07-14,abc\n", "DGS10", "DGS10"), RatesFileError);
}

// Two bundled-format days after 2025-07-11, one of them disagreeing on the overlap.
TEST(TreasuryHistory, MergeAddsOnlyNewDaysOnceAndReportsDisagreement) {
    const fs::path dir = fs::temp_directory_path() / ("yarrow-merge-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string user = (dir / "treasury-cmt-daily.tsv").string();
    fs::remove(user);

    std::vector<CmtRecord> fetched =
        ParseTreasuryRates("Date,3 Mo,10 Yr,1 Mo\n07/16/2025,4.40,4.45,4.30\n07/15/2025,4.42,4.43,4.35\n"
                           "07/11/2025,4.41,4.44,4.37\n07/10/2025,4.42,4.35,4.36\n",
                           "2025")
            .records;
    const CmtHistory before = LoadTreasuryHistory(kBundled, user);
    const HistoryMerge merge = MergeNewDays(before, fetched);
    ASSERT_EQ(merge.added.size(), 2u);
    EXPECT_EQ(merge.disagreements, std::vector<std::string>{"07/11/2025 DGS10: held 4.43, the source 4.44"});
    EXPECT_EQ(AddedSummary(merge), "Added 2 days, 07/15/2025 to 07/16/2025.");

    std::ofstream(user) << UserHistoryText("", merge.added);
    const CmtHistory after = LoadTreasuryHistory(kBundled, user);
    EXPECT_EQ(after.Size(), before.Size() + 2);
    EXPECT_EQ(RateOn(after, Iso(2025, 7, 16), Y10), "4.45");
    EXPECT_EQ(RateOn(after, Iso(2025, 7, 11), Y10), "4.43"); // held value kept

    // Twice: nothing more, and the file text would not change.
    const HistoryMerge again = MergeNewDays(after, fetched);
    EXPECT_TRUE(again.added.empty());
    EXPECT_EQ(AddedSummary(again), "Added no days: the history already holds every day to 07/16/2025.");
    std::ifstream in(user);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(UserHistoryText(text, fetched), text);
    EXPECT_NE(text.find("2025-07-16\t.\t4.45\t4.30\t"), std::string::npos); // the 1-month kept
    // A damaged user file is not written over.
    EXPECT_THROW(UserHistoryText("DATE\tDGS10\n", fetched), CmtHistoryError);
    fs::remove_all(dir);
}

TEST(TreasuryHistory, JoinSeriesMakesDays) {
    std::vector<RatesFile> files = {ParseFredSeries("DATE,DGS10\n2025-07-14,4.42\n2025-07-15,4.43\n", "a", "DGS10"),
                                    ParseFredSeries("DATE,DGS3MO\n2025-07-15,4.42\n", "b", "DGS3MO")};
    EXPECT_EQ(CmtRecordsText(JoinSeries(files), false), "2025-07-14\t.\t4.42\t.\t.\t.\t.\t.\t.\t.\t.\t.\n"
                                                         "2025-07-15\t.\t4.43\t.\t.\t.\t.\t.\t4.42\t.\t.\t.\n");
}

TEST(TreasuryHistory, UserFileFollowsXdg) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    struct Case {
        const char* xdg; // nullptr: unset
        std::string expected;
    } cases[] = {
        {"/data/x", "/data/x/yarrow/treasury-cmt-daily.tsv"},
        {"relative", std::string(std::getenv("HOME")) + "/.local/share/yarrow/treasury-cmt-daily.tsv"},
        {nullptr, std::string(std::getenv("HOME")) + "/.local/share/yarrow/treasury-cmt-daily.tsv"},
    };
    for (const Case& c : cases) {
        if (c.xdg)
            setenv("XDG_DATA_HOME", c.xdg, 1);
        else
            unsetenv("XDG_DATA_HOME");
        EXPECT_EQ(UserHistoryFile(), fs::path(c.expected).lexically_normal().string());
    }
    if (saved)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace yarrow
