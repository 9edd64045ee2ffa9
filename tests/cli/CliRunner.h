#pragma once

#include "Cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace yarrow::testing {

struct CliResult {
    int code;
    std::string out, err;
};

// Runs one yarrow-cli command line in-process with `input` as standard input.
inline CliResult RunArgs(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
}

// The lines of a text, without their line breaks.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream s(text);
    std::string line;
    while (std::getline(s, line))
        lines.push_back(line);
    return lines;
}

} // namespace yarrow::testing
