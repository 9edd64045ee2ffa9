#pragma once

#include "core/data/CmtHistory.h"
#include "core/data/QuoteRows.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/seams/Dialogs.h"
#include "core/text/RuntimeError.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace yarrow {

// Bad command line: exit code 2.
struct UsageError {
    std::string message;
};
// Bad input or a refusal: one line on stderr, exit code 1.
struct InputError {
    std::string message;
};
// A refusal the window would have shown in a message box (kept by CliDialogs): exit code 1, the
// message said on stderr as one line.
struct ReportedError {};

// The window's message boxes are kept, not shown: the command line says one line in its own words
// when the command fails (FailureText) and nothing when it succeeds. The bill question is answered
// from --bills.
class CliDialogs : public Dialogs {
public:
    explicit CliDialogs(bool answerBills) : answer_(answerBills) {}
    void Message(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    // The last message as one line, in the command line's words; a general line when none came.
    std::string FailureText() const;

private:
    bool answer_;
    std::string last_;
};

// A run-time error as one line of the command line: "Type mismatch", the reason of a refused
// workbook request, or what to do when no workbook is open.
std::string CliErrorText(const RuntimeError& error);

// Options after the command name: "--name value" pairs and bare "--flag"s.
class CommandOptions {
public:
    CommandOptions(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                   const std::vector<std::string>& flags);
    std::optional<std::string> Value(const std::string& name) const;
    bool Flag(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return positional_; }
    // A number given to --name (the whole text must be a number), or fallback.
    float Number(const std::string& name, float fallback) const;

private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> flags_;
    std::vector<std::string> positional_;
};

// What every command starts from: the data grid as "Get Data" would leave it, the quote date text
// and the bond table built from them.
struct CliContext {
    CliContext(std::istream& in, std::ostream& out, std::ostream& err) : in(in), out(out), err(err) {}
    std::istream& in;
    std::ostream& out;
    std::ostream& err;

    std::optional<std::string> quotesFile;
    std::optional<std::string> h15Dir;
    std::optional<std::string> historyDate; // --history-date: the Treasury curve of that day
    std::optional<std::string> dateText;
    // --workbook FILE (repeatable) with --sheet, --columns N,C,M,Q[,Y] and --rows FIRST-LAST.
    std::vector<std::string> workbooks;
    std::optional<std::string> sheet;
    std::optional<std::string> columns;
    std::optional<std::string> rows;
    std::optional<DateOrder> dateOrder;
    bool bills = true;

    Session session;
    GridModel dataGrid{2, 2, 1, 1};
    std::string quoteDate; // the quote-date box text
    // Set when the bond table could not be built: "Grid row 7 (2Y): Type mismatch".
    std::string failedRow;

    // The whole text of the file at path, or of standard input for "-"; nullopt when the file
    // cannot be opened.
    std::optional<std::string> ReadInput(const std::string& path);
    // The program date order: --date-order, else the locale's.
    DateOrder ProgramDateOrder() const;
    // A date as the program reads it; InputError naming `option` when it is none.
    Date ReadDate(const std::string& option, const std::string& text) const;

    // Fills the data grid from the chosen input and builds the bond table. Raises InputError for
    // missing files and unreadable dates, RuntimeError as "Get Data" would.
    void LoadBondTable(CliDialogs& dialogs);
    // The data grid from the workbook, as "Get Data" reads a sheet through the spreadsheet link.
    // Refuses (InputError) in a build without workbook support.
    void LoadWorkbookQuotes(CliDialogs& dialogs);
    // The one stderr line of a run-time error: the failing grid row when the bond table could not
    // be built, else the error, naming a bond that matures on the quote date when the error is a
    // division by zero.
    std::string FailureText(const RuntimeError& error) const;
    // Each sentence on stderr as "yarrow-cli: warning: ..."; the printed tables stay as they are.
    void Warn(const std::vector<std::string>& warnings);
};

// The Treasury history: the bundled days, then the user's (LoadTreasuryHistory). InputError when
// unreadable.
CmtHistory LoadCmtHistory();

// Writes one TAB-separated line.
void WriteRow(std::ostream& out, const std::vector<std::string>& cells);

} // namespace yarrow
