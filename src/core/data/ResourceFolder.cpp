#include "ResourceFolder.h"

#include <cstdlib>
#include <system_error>
#include <vector>

namespace yarrow {

namespace fs = std::filesystem;

namespace {

bool HoldsResources(const fs::path& folder) {
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder / "FRBData", ec);
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return !a.empty() && !b.empty() && fs::equivalent(a, b, ec);
}

} // namespace

fs::path FindResourceFolder(const ResourceSearch& search) {
    if (!search.fromEnvironment.empty()) {
        fs::path folder = fs::absolute(search.fromEnvironment).lexically_normal();
        if (!folder.has_filename() && folder != folder.root_path())
            folder = folder.parent_path(); // "dir/" as "dir"
        return folder;
    }
    if (!search.executableDir.empty()) {
        for (const char* beside : {"../share/yarrow", "../resources"}) {
            const fs::path folder = (search.executableDir / beside).lexically_normal();
            if (HoldsResources(folder))
                return folder;
        }
    }
    // A binary still in the build tree reads the files it was built with, not an older install.
    if (SameFolder(search.executableDir, search.buildBinDir) && HoldsResources(search.sourceResources))
        return search.sourceResources;
    return search.installedData;
}

std::string ResourceFolder() {
    ResourceSearch search;
    if (const char* env = std::getenv("YARROW_RESOURCES"))
        search.fromEnvironment = env;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        search.executableDir = exe.parent_path();
    search.buildBinDir = YARROW_BUILD_BIN_DIR;
    search.sourceResources = YARROW_SOURCE_RESOURCES;
    search.installedData = YARROW_INSTALLED_DATA;
    return FindResourceFolder(search).string();
}

std::string CmtHistoryFile() {
    const fs::path compact = "history/treasury-cmt-daily-1962-2025.ycmt";
    const fs::path text = "history/treasury-cmt-daily-1962-2025.tsv";
    std::vector<fs::path> candidates;
    // The compact form is made by the build: in the build tree's resources beside bin/ while
    // developing, with the other bundled files once installed. YARROW_RESOURCES names one folder
    // and is kept to.
    if (!std::getenv("YARROW_RESOURCES")) {
        std::error_code ec;
        const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
        if (!ec)
            candidates.push_back(exe.parent_path() / "../resources" / compact);
    }
    const fs::path folder = ResourceFolder();
    candidates.push_back(folder / compact);
    candidates.push_back(folder / text);
    for (const fs::path& path : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(path, ec))
            return path.lexically_normal().string();
    }
    return candidates.back().lexically_normal().string();
}

} // namespace yarrow
