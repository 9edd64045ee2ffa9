#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace yarrow {

// Runs one command line of yarrow-cli. Exit codes: 0 success, 1 a refusal or run-time error ended
// the command, 2 bad usage.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace yarrow
