#include "Commands.h"
#include "core/data/CmtHistory.h"

#include <ostream>

namespace yarrow {

int CmdHistory(CliContext& ctx, CliDialogs& /*dialogs*/, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--from", "--to", "--step"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"history takes no arguments"};
    const auto fromText = opts.Value("--from");
    const auto toText = opts.Value("--to");
    if (!fromText)
        throw UsageError{"history needs --from DATE"};
    const std::string step = kSteps[StepOption(opts.Value("--step").value_or("daily"))].name;
    const Date from = ctx.ReadDate("--from", *fromText);
    const CmtHistory history = LoadCmtHistory();
    const Date to = toText ? ctx.ReadDate("--to", *toText) : history.Last();
    if (to < from)
        throw InputError{toText ? "--to is before --from" : "--from is after the newest day held"};

    auto writeDay = [&](Date date) {
        std::vector<std::string> cells(kFrbSeriesCount + 1);
        cells[0] = FormatDate(date, "yyyy-mm-dd");
        for (const CmtObservation& o : history.DayOf(date).rows)
            cells[static_cast<size_t>(o.series) + 1] = HundredthsText(o.hundredths);
        WriteRow(ctx.out, cells);
    };
    std::vector<std::string> heading{"Date"};
    heading.insert(heading.end(), std::begin(kFrbSeriesLabels), std::end(kFrbSeriesLabels));
    WriteRow(ctx.out, heading);
    if (step == "daily") {
        // Business days: the days of the history that have at least one rate.
        const size_t before = history.IndexOnOrBefore(from - std::chrono::days(1));
        for (size_t k = before == history.Size() ? 0 : before + 1; k < history.Size(); ++k) {
            if (history.DayAt(k) > to)
                break;
            for (int s = 0; s < kFrbSeriesCount; ++s) {
                if (history.RateAt(k, s) != CmtHistory::kAbsent) {
                    writeDay(history.DayAt(k));
                    break;
                }
            }
        }
    } else {
        // From the first date each time, so the 31st stays the month's end after a shorter month.
        // The range is checked before anything is printed: no step goes past the last day a date
        // can have (the end of 9999), which is after any --to.
        const int monthsLeft = (9999 - int(std::chrono::year_month_day{from}.year())) * 12 +
                               (12 - int(unsigned(std::chrono::year_month_day{from}.month())));
        for (int n = 0; step == "weekly" || n <= monthsLeft; ++n) {
            const Date date = step == "weekly" ? from + std::chrono::days(7 * n) : AddMonths(from, n);
            if (date > to)
                break;
            writeDay(date);
        }
    }
    return 0;
}

} // namespace yarrow
