#pragma once

#include <filesystem>
#include <string>

namespace yarrow {

// Where to look for the bundled course site and series snapshot (a folder holding site/ and
// FRBData/).
struct ResourceSearch {
    std::string fromEnvironment;           // YARROW_RESOURCES, empty when unset
    std::filesystem::path executableDir;   // folder of the running binary, empty when unknown
    std::filesystem::path buildBinDir;     // where the build tree puts its binaries
    std::filesystem::path sourceResources; // the source tree's resources/
    std::filesystem::path installedData;   // <install prefix>/share/yarrow
};

// The first that holds the series snapshot of: the environment's folder (taken as given, so a
// wrong value shows in the error), the binary's ../share/yarrow, the binary's ../resources, the
// source tree (only for a binary of the build tree), the install prefix. When none does, the
// install prefix's folder, so that messages name where the files were expected.
std::filesystem::path FindResourceFolder(const ResourceSearch& search);

// FindResourceFolder for this process: its environment, its binary and the paths of this build.
std::string ResourceFolder();

// The bundled Treasury history: its compact form where the build or the install put it, else the
// text it is made from.
std::string CmtHistoryFile();

} // namespace yarrow
