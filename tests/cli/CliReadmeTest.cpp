#include "CliRunner.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>

namespace yarrow::testing {
namespace {

// The command names of the help text: the first word of each entry under "Commands:".
std::set<std::string> HelpCommands(const std::string& help) {
    std::set<std::string> names;
    bool inCommands = false;
    const std::regex entry(R"(^  ([a-z][a-z-]*)(\s|$))");
    for (const std::string& line : Lines(help)) {
        if (line == "Commands:")
            inCommands = true;
        else if (inCommands && !line.empty() && line[0] != ' ')
            break;
        std::smatch m;
        if (inCommands && std::regex_search(line, m, entry))
            names.insert(m[1]);
    }
    return names;
}

TEST(CliReadme, NamesEveryCommandOfTheHelp) {
    const CliResult help = RunArgs({"--help"});
    ASSERT_EQ(help.code, 0);
    const std::set<std::string> commands = HelpCommands(help.out);
    ASSERT_GE(commands.size(), 10u) << help.out;
    std::ifstream file(YARROW_SOURCE_DIR "/README.md");
    ASSERT_TRUE(file) << "README.md not found";
    std::ostringstream readme;
    readme << file.rdbuf();
    // A command counts as documented when README shows it in code: `name` or `name ...`.
    for (const std::string& name : commands)
        EXPECT_NE(readme.str().find("`" + name), std::string::npos) << "README.md misses `" << name << "`";
}

} // namespace
} // namespace yarrow::testing
