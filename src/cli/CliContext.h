#pragma once

#include "core/data/CmtHistory.h"
#include "core/data/QuoteRows.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/seams/Dialogs.h"

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
// A refusal already shown as "TITLE: TEXT" on stderr: exit code 1, nothing more said.
struct ReportedError {};

// Message boxes go to stderr as "TITLE: TEXT"; the bill question is answered from --bills.
class CliDialogs : public Dialogs {
public:
    CliDialogs(std::ostream& err, bool answerBills) : err_(err), answer_(answerBills) {}
    void Message(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;

private:
    std::ostream& err_;
    bool answer_;
};

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
    // Each sentence on stderr as "yarrow-cli: warning: ..."; the printed tables stay as they are.
    void Warn(const std::vector<std::string>& warnings);
};

// The Treasury history: the bundled days, then the user's (LoadTreasuryHistory). InputError when
// unreadable.
CmtHistory LoadCmtHistory();

// A parameter box read strictly, as the plot reads it: a text that is not a number is a type mismatch.
float StrictSingle(const std::string& text);

// The interpolation grid of a --step name (daily 0, weekly 1, monthly 2); UsageError otherwise.
int StepIndexFromName(const std::string& name);

// Writes one TAB-separated line.
void WriteRow(std::ostream& out, const std::vector<std::string>& cells);

} // namespace yarrow
