#include "Commands.h"

#ifdef YARROW_CLI_IO
#include "io/history/HistoryUpdater.h"
#endif

#include <ostream>

namespace yarrow {

int CmdUpdateHistory(CliContext& ctx, CliDialogs& /*dialogs*/, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--source", "--url", "--timeout"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"update-history takes no arguments"};
    const std::string source = opts.Value("--source").value_or("treasury");
    if (source != "treasury" && source != "fred")
        throw UsageError{"--source takes treasury or fred, not '" + source + "'"};
    int timeout = 30;
    if (const auto t = opts.Value("--timeout")) {
        const float seconds = opts.Number("--timeout", 0);
        if (!(seconds >= 1 && seconds <= 3600) || seconds != static_cast<float>(static_cast<int>(seconds)))
            throw UsageError{"--timeout takes whole seconds from 1 to 3600, not '" + *t + "'"};
        timeout = static_cast<int>(seconds);
    }
#ifndef YARROW_CLI_IO
    (void)ctx;
    (void)timeout;
    throw InputError{"update-history downloads with Qt Network, and this yarrow-cli was built without Qt"};
#else
    HistoryUpdateOptions options;
    options.source = source == "fred" ? HistorySource::Fred : HistorySource::Treasury;
    options.base = QString::fromStdString(opts.Value("--url").value_or(""));
    options.timeoutSeconds = timeout;
    const HistoryUpdateResult result =
        HistoryUpdater::Run(options, [&](const QString& line) { ctx.err << line.toStdString() << "\n"; });
    for (const QString& m : result.messages)
        ctx.err << "yarrow-cli: " << m.toStdString() << "\n";
    if (!result.summary.isEmpty())
        ctx.err << result.summary.toStdString() << "\n";
    return result.complete ? 0 : 1;
#endif
}

} // namespace yarrow
