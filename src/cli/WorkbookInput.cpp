// The --workbook input and the link command: only in a build with the io library (Qt).
#include "CliContext.h"
#include "Commands.h"

#ifdef YARROW_CLI_IO
#include "core/data/ExcelLink.h"
#include "core/text/Dates.h"
#include "core/text/RuntimeError.h"
#include "core/text/TextEncoding.h"
#include "io/workbook/WorkbookLinkClient.h"
#include "io/workbook/WorkbookServer.h"

#include <QString>
#endif

#include <ostream>

namespace yarrow {

namespace {

[[maybe_unused]] constexpr int kMaxLinkRow = 32767;

constexpr const char* kNoWorkbooks = "this yarrow-cli is built without workbook support (Qt); "
                                     "save the rows as a .csv and give it to --quotes";

#ifdef YARROW_CLI_IO
void OpenAll(CliContext& ctx, WorkbookServer& server) {
    server.SetDateOrder(ctx.session.dateOrder);
    for (const std::string& path : ctx.workbooks) {
        try {
            server.Open(QString::fromStdString(path));
        } catch (const WorkbookError& e) {
            throw InputError{e.what()};
        }
    }
    ctx.Warn(server.Warnings());
}

// The rows FIRST-LAST of --rows; the link counts rows in 16 bits.
std::pair<int, int> RowRange(const std::string& text) {
    const size_t dash = text.find('-');
    auto number = [](const std::string& digits) {
        if (digits.empty() || digits.size() > 6 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return -1;
        return std::stoi(digits);
    };
    const int first = dash == std::string::npos ? -1 : number(text.substr(0, dash));
    const int last = dash == std::string::npos ? -1 : number(text.substr(dash + 1));
    if (first < 1 || last < first || last > kMaxLinkRow)
        throw InputError{"--rows takes FIRST-LAST, rows 1 to " + std::to_string(kMaxLinkRow) +
                         " with FIRST not after LAST (e.g. 2-20), not '" + PrintableText(text) + "'"};
    return {first, last};
}

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == sep)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}
#endif

} // namespace

void CliContext::LoadWorkbookQuotes([[maybe_unused]] CliDialogs& dialogs) {
#ifndef YARROW_CLI_IO
    throw InputError{kNoWorkbooks};
#else
    if (!columns || !rows)
        throw UsageError{
            "--workbook needs --columns NAME,COUPON,MATURITY,QUOTE[,YIELD] and --rows FIRST-LAST"};
    const std::vector<std::string> cols = Split(*columns, ',');
    if (cols.size() < 4 || cols.size() > 5)
        throw UsageError{"--columns takes four or five columns: NAME,COUPON,MATURITY,QUOTE[,YIELD]"};
    const auto [firstRow, lastRow] = RowRange(*rows);

    WorkbookServer server;
    OpenAll(*this, server);
    WorkbookLinkClient client(server);
    ExcelLink link{client, dialogs, nullptr, session.RowLetter};
    std::vector<std::string> sheets;
    if (!FindExcelSheets(link, sheets))
        throw ReportedError{};
    std::string topic = sheets.front();
    if (sheet) {
        topic.clear();
        const QString wanted = QString::fromStdString(*sheet);
        for (const std::string& s : sheets) {
            const QString entry = QString::fromStdString(s);
            const QString name = entry.mid(entry.lastIndexOf(']') + 1);
            if (entry.compare(wanted, Qt::CaseInsensitive) == 0 ||
                name.compare(wanted, Qt::CaseInsensitive) == 0) {
                topic = s;
                break;
            }
        }
        if (topic.empty())
            throw InputError{"no open sheet is named '" + PrintableText(*sheet) +
                             "' (see link System Topics)"};
    }
    ExcelLinkSettings settings{topic,
                               cols[0],
                               cols[1],
                               cols[2],
                               cols[3],
                               cols.size() == 5 ? cols[4] : std::string(),
                               std::to_string(firstRow),
                               std::to_string(lastRow),
                               cols.size() == 5};
    if (!GetExcelData(link, settings, dataGrid))
        throw ReportedError{};
    quoteDate = FormatDate(Today(), session.DateFormat());
#endif
}

int CmdLink([[maybe_unused]] CliContext& ctx, [[maybe_unused]] CliDialogs& dialogs,
            [[maybe_unused]] const std::vector<std::string>& args) {
#ifndef YARROW_CLI_IO
    throw InputError{kNoWorkbooks};
#else
    CommandOptions opts(args, {}, {});
    if (opts.Positional().size() != 2)
        throw UsageError{"link takes a topic and an item, e.g. link --workbook Book.xlsx System Topics"};
    std::string topic = opts.Positional()[0];
    if (topic.rfind("Excel|", 0) == 0)
        topic = topic.substr(6);
    ctx.session.dateOrder =
        ctx.dateOrder ? *ctx.dateOrder : DateOrderFromFormat(DetectDateFormat(SystemDateOrder()));
    WorkbookServer server;
    OpenAll(ctx, server);
    WorkbookLinkClient client(server);
    client.Open("Excel", topic, opts.Positional()[1]);
    std::string reply;
    try {
        reply = client.Request();
    } catch (...) {
        client.Close();
        throw;
    }
    client.Close();
    ctx.out << reply << "\n";
    return 0;
#endif
}

} // namespace yarrow
