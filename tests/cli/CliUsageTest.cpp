#include "CliRunner.h"
#include "YarrowVersion.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace yarrow::testing;

TEST(CliUsage, HelpAndVersionAnswerOnStdout) {
    CliResult help = RunArgs({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("Usage: yarrow-cli"), std::string::npos);
    EXPECT_TRUE(help.err.empty());

    CliResult version = RunArgs({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("yarrow-cli ") + YARROW_VERSION + "\n");
}

TEST(CliUsage, NoArgumentsOrUnknownCommandIsBadUsage) {
    CliResult none = RunArgs({});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(none.out.empty());
    CliResult unknown = RunArgs({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("frobnicate"), std::string::npos);
}

} // namespace
