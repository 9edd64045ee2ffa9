#include "CliRunner.h"
#include "TableOutput.h"

#include <gtest/gtest.h>

namespace {

using namespace yarrow::testing;

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

std::string Replaced(std::string text, char from, char to) {
    for (char& ch : text)
        if (ch == from)
            ch = to;
    return text;
}

TEST(CliFormat, ListingCommandsWriteTsvCsvAndJson) {
    struct Case {
        std::vector<std::string> command;
        size_t tableRows;      // data rows of the listing (JSON objects)
        std::string firstJson; // the first object of the JSON array
    } cases[] = {
        {{"bonds"},
         10,
         R"({"Bond": "3TD", "Coupon": "0.0000", "Maturity": "03/31/2011", "Quote": "0.1200", "BEY": "0.1217", "Value": "99.9700"})"},
        {{"analytics"},
         10,
         R"({"Bond": "3TD", "Quantity": "0", "Value": "99.9700", "Yield": "0.1217", "$Duration": "24.65", "$Convexity": "6.08", "Duration": "0.2466", "Convexity": "0.0608"})"},
        {{"optimize", "--strategy", "max-yield", "--value", "100", "--duration", "500"},
         10,
         R"({"Bond": "3TD", "Quantity": "0.7141"})"},
        {{"curve", "zero"}, 10, R"({"Bond": "3TD", "Years": "0.2466", )"},
        {{"spline", "--step", "monthly"}, 360, R"({"Years": "0.0833", "Rate": )"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--date-order", "mdy"};
        args.insert(args.end(), c.command.begin(), c.command.end());
        const CliResult plain = RunArgs(args);
        ASSERT_EQ(plain.code, 0) << c.command[0] << plain.err;

        auto with = [&](const std::string& format) {
            std::vector<std::string> a = args;
            a.insert(a.end(), {"--format", format});
            CliResult r = RunArgs(a);
            EXPECT_EQ(r.code, 0) << c.command[0] << " " << format << r.err;
            return r.out;
        };
        EXPECT_EQ(with("tsv"), plain.out) << c.command[0];
        // No cell holds a comma or a quote, so CSV is the TSV with commas.
        const std::string csv = with("csv");
        if (c.command[0] == "spline") // the copied table has no heading row
            EXPECT_EQ(csv, "Years,Rate\n" + Replaced(plain.out, '\t', ',')) << c.command[0];
        else
            EXPECT_EQ(csv, Replaced(plain.out, '\t', ',')) << c.command[0];

        const std::string json = with("json");
        EXPECT_EQ(json.substr(0, 3), "[\n ") << c.command[0];
        EXPECT_EQ(json.substr(3, c.firstJson.size()), c.firstJson) << c.command[0];
        EXPECT_EQ(Count(json, "{"), c.tableRows) << c.command[0];
        EXPECT_EQ(Count(json, "}"), c.tableRows) << c.command[0];
        EXPECT_EQ(json.substr(json.size() - 4), "}\n]\n") << c.command[0];
    }
}

TEST(CliFormat, NelsonSiegelJsonHoldsTheParametersAndTheTable) {
    const CliResult r = RunArgs({"--date-order", "mdy", "nelson-siegel", "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string head = R"({"Parameters": {"Level": ".0680", "Slope": "-.0400", "Curvature": ".0050"},)"
                             "\n\"Rows\": [\n {\"Years\": \"0.2466\"";
    EXPECT_EQ(r.out.substr(0, head.size()), head);
    EXPECT_EQ(Count(r.out, "{"), 12u); // the outer object, the parameters, ten rows
    EXPECT_EQ(r.out.substr(r.out.size() - 6), "}\n]\n}\n");
}

TEST(CliFormat, UnknownFormatIsBadUsage) {
    const CliResult r = RunArgs({"bonds", "--format", "xml"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("--format takes tsv, csv or json, not 'xml'"), std::string::npos) << r.err;
}

TEST(CliFormat, CsvQuotesWhatASpreadsheetWouldMisread) {
    EXPECT_EQ(yarrow::CsvLine({"Bond", "1,000", "", "say \"par\"", " x", "a\nb", "Zero's"}),
              "Bond,\"1,000\",,\"say \"\"par\"\"\",\" x\",\"a\nb\",Zero's");
    EXPECT_EQ(yarrow::CsvLine({}), "");
}

TEST(CliFormat, JsonStringsEscapeQuotesBackslashesAndControls) {
    EXPECT_EQ(yarrow::JsonString("plain"), "\"plain\"");
    EXPECT_EQ(yarrow::JsonString("Zero's \"x\" a\\b"), R"("Zero's \"x\" a\\b")");
    EXPECT_EQ(yarrow::JsonString("a\tb\r\nc\x01"), R"("a\tb\r\nc\u0001")");
    EXPECT_EQ(yarrow::JsonObject({"A", "B"}, {"1"}), R"({"A": "1", "B": ""})");
}

} // namespace
