#include "core/data/ResourceFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace yarrow {
namespace {

namespace fs = std::filesystem;

// A scratch tree: an installed copy (prefix/bin, prefix/share/yarrow), a build tree (build/bin),
// a source tree (src/resources) and a second prefix, each folder with its FRBData/ or not.
class ResourceFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("yarrow-resources-" + std::to_string(::getpid()));
        fs::remove_all(root);
        for (const char* dir :
             {"prefix/bin", "prefix/share/yarrow/FRBData", "copy/bin", "copy/resources/FRBData", "build/bin",
              "src/resources/FRBData", "other/share/yarrow/FRBData"})
            fs::create_directories(root / dir);
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(ResourceFolderTest, LooksBesideTheBinaryThenTheBuildSourceThenThePrefix) {
    struct Case {
        const char* name;
        std::string environment;
        std::string exeDir;
        std::string expected;
    } cases[] = {
        {"installed tree, wherever it was moved", "", "prefix/bin", "prefix/share/yarrow"},
        {"resources copied beside the binary", "", "copy/bin", "copy/resources"},
        {"binary in the build tree reads the source", "", "build/bin", "src/resources"},
        {"binary elsewhere falls back to the prefix", "", "src", "other/share/yarrow"},
        {"unknown binary folder", "", "", "other/share/yarrow"},
        {"environment wins, as given, trailing slash dropped", "nowhere/", "prefix/bin", "nowhere"},
    };
    for (const Case& c : cases) {
        ResourceSearch search;
        if (!c.environment.empty())
            search.fromEnvironment = (root / c.environment).string();
        if (!c.exeDir.empty())
            search.executableDir = root / c.exeDir;
        search.buildBinDir = root / "build/bin";
        search.sourceResources = root / "src/resources";
        search.installedData = root / "other/share/yarrow";
        EXPECT_EQ(FindResourceFolder(search), root / c.expected) << c.name;
    }
}

TEST_F(ResourceFolderTest, BuildTreeWithoutSourceFilesFallsBackToThePrefix) {
    fs::remove_all(root / "src/resources/FRBData");
    ResourceSearch search{"", root / "build/bin", root / "build/bin", root / "src/resources",
                          root / "other/share/yarrow"};
    EXPECT_EQ(FindResourceFolder(search), root / "other/share/yarrow");
}

} // namespace
} // namespace yarrow
