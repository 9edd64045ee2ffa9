#include "core/data/SafeFileWrite.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace yarrow {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file is replaced whole through a unique temporary name: a symbolic link or a file at the
// old fixed side name is neither followed nor touched, and a failure gives its reason.
TEST(SafeFileWrite, ReplacesWholeAndFollowsNoSideName) {
    const fs::path dir = fs::temp_directory_path() / ("yarrow-write-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path target = dir / "r.svg";
    const fs::path elsewhere = dir / "elsewhere.txt";
    std::ofstream(elsewhere) << "keep";
    fs::create_symlink(elsewhere, dir / "r.svg.part");
    std::ofstream(target) << "old";

    EXPECT_EQ(WriteFileReplacing(target.string(), "<svg/>"), "");
    EXPECT_EQ(Content(target), "<svg/>");
    EXPECT_EQ(Content(elsewhere), "keep");
    EXPECT_TRUE(fs::is_symlink(dir / "r.svg.part"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3); // no leftovers
    // The permissions of a plain create, not the temporary file's owner-only ones.
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0666 & ~mask));

    EXPECT_EQ(WriteFileReplacing((dir / "none" / "r.svg").string(), "x"), "No such file or directory");
    EXPECT_EQ(WriteFileReplacing((dir / "").string(), "x"), "no file name");
    fs::remove_all(dir);
}

} // namespace
} // namespace yarrow
