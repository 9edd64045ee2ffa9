#include "Cli.h"

#include <ostream>

namespace yarrow {

namespace {

const char* const kUsage = R"(Usage: yarrow-cli [input options] COMMAND [command options]

Treasury quotes in, bond analytics out, as the QAL Yarrow grids show them.

Options:
  --help               show this text
  --version            show the version
)";

} // namespace

int RunCli(const std::vector<std::string>& args, std::istream& /*in*/, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        out << kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        out << "yarrow-cli " << YARROW_VERSION << "\n";
        return 0;
    }
    err << "yarrow-cli: unknown command '" << args[0] << "' (try --help)\n";
    return 2;
}

} // namespace yarrow
