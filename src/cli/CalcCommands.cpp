#include "Commands.h"
#include "core/calculators/ConvertQuote.h"
#include "core/calculators/DateRule.h"
#include "core/calculators/Keypad.h"
#include "core/calculators/Logarithm.h"
#include "core/calculators/PresentValue.h"
#include "core/grid/GridModel.h"
#include "core/text/Dates.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <ostream>
#include <sstream>
#include <utility>

namespace yarrow {

namespace {

// The keypad's messages go to standard output, each just before the line of the key that showed
// it.
class KeypadDialogs : public Dialogs {
public:
    explicit KeypadDialogs(std::ostream& out) : out_(out) {}
    void Message(const std::string& text, const std::string& title, MessageIcon /*icon*/) override {
        out_ << title << ": " << text << "\n";
    }
    bool AskYesNo(const std::string& /*text*/, const std::string& /*title*/) override { return false; }

private:
    std::ostream& out_;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// A weekday or month by its English name (or its first three letters, or its number), as a list
// index from 0.
int NameIndex(const std::string& option, const std::string& text, int count, std::string (*name)(int, bool)) {
    const std::string wanted = Lower(text);
    for (int k = 1; k <= count; ++k)
        if (wanted == Lower(name(k, false)) || wanted == Lower(name(k, true)))
            return k - 1;
    if (!text.empty() &&
        std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }) &&
        text.size() <= 2) {
        const int k = std::stoi(text);
        if (k >= 1 && k <= count)
            return k - 1;
    }
    throw UsageError{option + " takes a " + (count == 7 ? "weekday" : "month") + " name, not '" + text + "'"};
}

DateOrder ProgramOrder(const CliContext& ctx) {
    return ctx.dateOrder ? *ctx.dateOrder : DateOrderFromFormat(DetectDateFormat(SystemDateOrder()));
}

std::string ReadFile(CliContext& ctx, const std::string& path) {
    std::optional<std::string> text = ctx.ReadInput(path);
    if (!text)
        throw InputError{"cannot read '" + path + "'"};
    return std::move(*text);
}

// Rows "time, yield, amount" (TAB or comma between cells) into the present-value table, which
// grows beyond its 24 rows when the file holds more.
void LoadPresentValueRows(const std::string& text, GridModel& grid) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> cells(1);
        for (char ch : line) {
            if (ch == '\t' || ch == ',')
                cells.emplace_back();
            else
                cells.back() += ch;
        }
        for (std::string& cell : cells) {
            const size_t first = cell.find_first_not_of(" ");
            cell =
                first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(" ") - first + 1);
        }
        rows.push_back(cells);
    }
    while (!rows.empty() && std::all_of(rows.back().begin(), rows.back().end(),
                                        [](const std::string& c) { return c.empty(); }))
        rows.pop_back();
    if (int(rows.size()) + 1 > grid.Rows())
        grid.SetRows(int(rows.size()) + 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() > 3)
            throw InputError{"row " + std::to_string(r + 1) +
                             " has more than three cells (time, yield, amount)"};
        for (size_t c = 0; c < rows[r].size(); ++c)
            grid.SetTextMatrix(int(r) + 1, int(c), rows[r][c]);
    }
}

int CalcKeys(CliContext& ctx, const std::vector<std::string>& keys) {
    if (keys.empty())
        throw UsageError{"calc keys takes one or more keys"};
    for (const std::string& key : keys) {
        static const char* const known[] = {".", "+", "-", "X", "/", "=", "%", "CE", "C"};
        const bool digit = key.size() == 1 && std::isdigit(static_cast<unsigned char>(key[0]));
        if (!digit && key.rfind("paste=", 0) != 0 &&
            std::find(std::begin(known), std::end(known), key) == std::end(known))
            throw UsageError{"unknown key '" + key + "'; keys are 0-9 . + - X / = % CE C paste=TEXT"};
    }
    KeypadDialogs dialogs(ctx.out);
    Keypad pad(dialogs, ".");
    for (const std::string& key : keys) {
        if (key.rfind("paste=", 0) == 0)
            pad.Paste(key.substr(6));
        else
            pad.Key(key);
        ctx.out << key << '\t' << pad.Display() << '\n';
    }
    return 0;
}

int CalcDateRule(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--weekday", "--when", "--reference", "--month", "--year"}, {});
    if (!opts.Positional().empty())
        throw UsageError{"calc date-rule takes only options"};
    DateRuleChoice choice = DefaultDateRule(Today());
    if (auto v = opts.Value("--weekday"))
        choice.weekday = NameIndex("--weekday", *v, 7, WeekdayName);
    if (auto v = opts.Value("--reference"))
        choice.reference = NameIndex("--reference", *v, 7, WeekdayName);
    if (auto v = opts.Value("--month"))
        choice.month = NameIndex("--month", *v, 12, MonthName);
    if (auto v = opts.Value("--when")) {
        if (*v != "before" && *v != "after")
            throw UsageError{"--when takes before or after, not '" + *v + "'"};
        choice.after = *v == "after";
    }
    if (auto v = opts.Value("--year"))
        choice.year = *v;
    const auto date = DateRule(choice, dialogs);
    if (!date)
        return 1;
    ctx.out << FormatDate(*date, DateFormatText(ProgramOrder(ctx))) << '\n';
    return 0;
}

// The Today box: --today as given, refused when it is no date (the window would put the system
// date in its place, which a command line cannot show), else the system date.
std::string TodayBox(const CliContext& ctx, const CommandOptions& opts, DateOrder order) {
    if (const auto today = opts.Value("--today")) {
        ctx.ReadDate("--today", *today);
        return *today;
    }
    return FormatDate(Today(), DateFormatText(order));
}

int CalcMaturity(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--today", "--future"}, {});
    if (!opts.Positional().empty() || !opts.Value("--future"))
        throw UsageError{"calc maturity takes --future TEXT (and --today TEXT)"};
    const DateOrder order = ProgramOrder(ctx);
    QuoteBoxes boxes;
    boxes.today = TodayBox(ctx, opts, order);
    boxes.second = *opts.Value("--future");
    const std::string typed = boxes.second;
    const QuoteResult r = ConvertQuote(0, boxes, order, Today(), dialogs);
    if (r.failed)
        return 1;
    if (boxes.second != typed)
        ctx.out << "Future Date: " << boxes.second << '\n';
    ctx.out << "Maturity: " << r.text << '\n';
    return 0;
}

int CalcRate(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    CommandOptions opts(args, {"--today", "--maturity", "--quote", "--frequency"}, {});
    if (opts.Positional().size() != 1)
        throw UsageError{"calc rate takes one of tbill, libor, zero, discrete"};
    static const std::pair<const char*, std::pair<QuoteType, const char*>> types[] = {
        {"tbill", {QuoteType::TBill, "T-Bill"}},
        {"libor", {QuoteType::Libor, "LIBOR"}},
        {"zero", {QuoteType::Zero, "Price"}},
        {"discrete", {QuoteType::Discrete, "Rate"}}};
    const auto* found = std::find_if(std::begin(types), std::end(types),
                                     [&](const auto& t) { return opts.Positional()[0] == t.first; });
    if (found == std::end(types))
        throw UsageError{"calc rate takes one of tbill, libor, zero, discrete, not '" + opts.Positional()[0] +
                         "'"};
    const DateOrder order = ProgramOrder(ctx);
    QuoteBoxes boxes;
    boxes.type = found->second.first;
    boxes.quoteLabel = found->second.second;
    boxes.quote = opts.Value("--quote").value_or("");
    if (boxes.type == QuoteType::Discrete) {
        if (opts.Value("--today") || opts.Value("--maturity"))
            throw UsageError{"calc rate discrete takes --quote and --frequency"};
        boxes.second = opts.Value("--frequency").value_or("");
    } else {
        if (opts.Value("--frequency"))
            throw UsageError{"--frequency belongs to calc rate discrete"};
        boxes.today = TodayBox(ctx, opts, order);
        boxes.second = opts.Value("--maturity").value_or("");
    }
    const QuoteResult r = ConvertRate(boxes, order, Today(), dialogs);
    if (r.failed)
        return 1;
    ctx.out << "Interest Rate: " << r.text << '\n';
    return 0;
}

} // namespace

int CmdCalc(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    if (args.empty())
        throw UsageError{"calc takes keys, date-rule, maturity, rate, pv, log or exp"};
    const std::string what = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (what == "keys")
        return CalcKeys(ctx, rest);
    if (what == "date-rule")
        return CalcDateRule(ctx, dialogs, rest);
    if (what == "maturity")
        return CalcMaturity(ctx, dialogs, rest);
    if (what == "rate")
        return CalcRate(ctx, dialogs, rest);
    if (what == "pv") {
        CommandOptions opts(rest, {}, {});
        if (opts.Positional().size() != 1)
            throw UsageError{"calc pv takes one FILE of 'time, yield, amount' rows"};
        GridModel grid;
        SetupPresentValueGrid(grid);
        LoadPresentValueRows(ReadFile(ctx, opts.Positional()[0]), grid);
        const auto value = PresentValue(grid, dialogs);
        if (!value)
            return 1;
        ctx.out << *value << '\n';
        return 0;
    }
    if (what == "log" || what == "exp") {
        if (rest.size() != 1)
            throw UsageError{"calc " + what + " takes one number"};
        const auto shown = LogOrExp(what == "exp", rest[0], dialogs);
        if (!shown)
            return 1;
        ctx.out << *shown << '\n';
        return 0;
    }
    throw UsageError{"calc takes keys, date-rule, maturity, rate, pv, log or exp, not '" + what + "'"};
}

} // namespace yarrow
