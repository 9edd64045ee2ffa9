#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

using namespace yarrow::testing;

// Built without Qt, yarrow-cli refuses what needs it and says why; built with Qt this is the
// workbook tests' ground.
TEST(CliWithoutQt, RefusesWorkbooksWithAReason) {
#ifdef YARROW_CLI_IO
    GTEST_SKIP() << "this yarrow-cli reads workbooks";
#else
    const CliResult r = RunArgs({"--workbook", "quotes.xlsx", "bonds"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("built without workbook support"), std::string::npos) << r.err;
#endif
}

} // namespace
