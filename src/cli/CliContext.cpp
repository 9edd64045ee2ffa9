#include "CliContext.h"

#include "core/bond/qalBond.h"
#include "core/data/ExcelLink.h"
#include "core/data/FrbSeries.h"
#include "core/data/QuoteRows.h"
#include "core/data/ResourceFolder.h"
#include "core/data/TableWarnings.h"
#include "core/data/TreasuryHistory.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridText.h"
#include "core/text/Dates.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"
#include "core/text/TextEncoding.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace yarrow {

namespace {

constexpr const char* kNoWorkbookOpen = "no workbook is open: name one with --workbook FILE";

// The design's texts that would send a command-line user to the wrong place.
std::string InCliWords(const std::string& text) {
    static const std::string report = ErrorReportText("");
    if (text.rfind(report, 0) == 0)
        return InCliWords(text.substr(report.size()));
    if (text == kRunExcelMessage || text == RuntimeError::NoApplicationResponding().what())
        return kNoWorkbookOpen;
    // A refused request carries its reason in brackets.
    static const std::string refused = "Foreign application won't perform DDE method or operation (";
    if (text.rfind(refused, 0) == 0 && text.size() > refused.size() && text.back() == ')')
        return text.substr(refused.size(), text.size() - refused.size() - 1);
    return text;
}

} // namespace

void CliDialogs::Message(const std::string& text, const std::string& /*title*/, MessageIcon /*icon*/) {
    last_ = text;
}

std::string CliDialogs::FailureText() const {
    if (last_.empty())
        return "the command failed";
    return PrintableText(OneCellText(InCliWords(last_)));
}

std::string CliErrorText(const RuntimeError& error) {
    return PrintableText(OneCellText(InCliWords(error.what())));
}

bool CliDialogs::AskYesNo(const std::string& /*text*/, const std::string& /*title*/) {
    return answer_;
}

CommandOptions::CommandOptions(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                               const std::vector<std::string>& flags) {
    auto has = [](const std::vector<std::string>& list, const std::string& s) {
        return std::find(list.begin(), list.end(), s) != list.end();
    };
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (has(valued, a)) {
            if (k + 1 >= args.size())
                throw UsageError{a + " needs a value"};
            values_[a] = args[++k];
        } else if (has(flags, a)) {
            flags_.push_back(a);
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            positional_.push_back(a);
        }
    }
}

std::optional<std::string> CommandOptions::Value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

bool CommandOptions::Flag(const std::string& name) const {
    return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
}

float CommandOptions::Number(const std::string& name, float fallback) const {
    auto v = Value(name);
    if (!v)
        return fallback;
    if (!IsNumeric(*v))
        throw UsageError{name + " takes a number, not '" + *v + "'"};
    return SafeSingle(*v);
}

std::string CliContext::FailureText(const RuntimeError& error) const {
    if (!failedRow.empty())
        return PrintableText(OneCellText(failedRow));
    std::string text = CliErrorText(error);
    if (error.number() == RuntimeError::DivisionByZero().number()) {
        for (int i = 1; i < int(session.Bonds.size()) && i <= session.nBonds; ++i) {
            const qalBond* bond = session.Bonds[size_t(i)].get();
            if (bond && bond->daysToMaturity() <= 0) {
                text += ": the bond " + PrintableText(OneCellText(bond->GetName())) + " (grid row " +
                        std::to_string(i + 1) + ") matures on the quote date; give it a later maturity";
                break;
            }
        }
    }
    return text;
}

void CliContext::Warn(const std::vector<std::string>& warnings) {
    for (const std::string& w : warnings)
        err << "yarrow-cli: warning: " << w << "\n";
}

void WriteRow(std::ostream& out, const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c)
            out << '\t';
        out << OneCellText(cells[c]);
    }
    out << '\n';
}

std::optional<std::string> CliContext::ReadInput(const std::string& path) {
    std::ostringstream buffer;
    if (path == "-") {
        buffer << in.rdbuf();
    } else {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            throw InputError{"'" + PrintableText(path) + "' is a folder: name a file"};
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return std::nullopt;
        buffer << file.rdbuf();
    }
    // Whatever the editor saved, the program works in UTF-8 (and so prints valid UTF-8).
    std::string text = TextAsUtf8(buffer.str());
    if (LooksBinary(text))
        throw InputError{"'" + PrintableText(path) +
                         "' is not a text file (it holds control characters): save it as text or CSV"};
    return text;
}

DateOrder CliContext::ProgramDateOrder() const {
    return dateOrder ? *dateOrder : DateOrderFromFormat(DetectDateFormat(SystemDateOrder()));
}

Date CliContext::ReadDate(const std::string& option, const std::string& text) const {
    auto date = ParseDate(text, ProgramDateOrder());
    if (!date)
        throw InputError{option + ": '" + text + "' is not a date"};
    return *date;
}

CmtHistory LoadCmtHistory() {
    try {
        return LoadTreasuryHistory();
    } catch (const CmtHistoryError& e) {
        throw InputError{e.what()};
    }
}

void CliContext::LoadBondTable(CliDialogs& dialogs) {
    session.dateOrder = ProgramDateOrder();
    session.dialogs = &dialogs;

    if (!workbooks.empty()) {
        LoadWorkbookQuotes(dialogs);
    } else if (quotesFile) {
        const std::optional<std::string> read = ReadInput(*quotesFile);
        if (!read)
            throw InputError{"cannot read quotes file '" + *quotesFile + "'"};
        const std::string& text = *read;
        const bool csv =
            quotesFile->size() >= 4 && quotesFile->compare(quotesFile->size() - 4, 4, ".csv") == 0;
        if (LoadQuoteRows(text, csv, dataGrid) == 0)
            throw InputError{"no quote rows in '" + *quotesFile + "'"};
        quoteDate = FormatDate(Today(), session.DateFormat());
    } else if (historyDate) {
        const Date asked = ReadDate("--history-date", *historyDate);
        const CmtHistory history = LoadCmtHistory();
        const CmtDay day = history.DayOf(asked);
        if (day.Empty())
            throw InputError{"--history-date: no Treasury rates in the 30 days up to " +
                             FormatDate(asked, session.DateFormat()) + " (the history runs from " +
                             FormatDate(history.First(), session.DateFormat()) + " to " +
                             FormatDate(history.Last(), session.DateFormat()) + ")"};
        WriteCmtDay(day, dataGrid, session);
        quoteDate = FormatDate(day.quoteDate, session.DateFormat());
    } else {
        std::string folder = h15Dir ? *h15Dir : ResourceFolder() + "/FRBData";
        for (int i = 0; i < kFrbSeriesCount; ++i) {
            std::ifstream probe(folder + "/" + FrbSeriesFileName(i));
            if (!probe)
                throw InputError{"cannot read series file '" + folder + "/" + FrbSeriesFileName(i) + "'"};
        }
        GrabFRBYieldCurveFromFolder(folder, dataGrid, session);
        // As "Get Data" does: the date of the data, in the program format.
        quoteDate = FormatDate(CDate(session.quoteDate, session.dateOrder), session.DateFormat());
    }
    if (dateText)
        quoteDate = FormatDate(ReadDate("--date", *dateText), session.DateFormat());
    try {
        BuildBondTable(session, dataGrid, quoteDate);
    } catch (const RuntimeError& e) {
        failedRow = BondTableErrorText(session, dataGrid, e);
        throw;
    }
    Warn(BondTableWarnings(session, dataGrid));
    if (session.nBonds < 1)
        throw InputError{"the bond table is empty: no row has a name"};
}

} // namespace yarrow
