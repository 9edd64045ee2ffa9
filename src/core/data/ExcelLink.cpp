#include "core/data/ExcelLink.h"

#include "core/grid/GridText.h"
#include "core/seams/Dialogs.h"
#include "core/seams/LinkClient.h"
#include "core/seams/PendingEvents.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"
#include "core/text/RuntimeError.h"

#include <algorithm>
#include <cctype>

namespace yarrow {

namespace {

constexpr const char* kApplication = "Excel";

// Opens a conversation, asks once for the item and closes it again, also when the request fails.
std::string RequestOnce(ExcelLink& link, const std::string& topic, const std::string& item) {
    link.txt.Open(kApplication, topic, item);
    std::string reply;
    try {
        DoEvents(link.events);
        reply = link.txt.Request();
        DoEvents(link.events);
    } catch (...) {
        link.txt.Close();
        throw;
    }
    link.txt.Close();
    return reply;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// A sheet of a workbook, not the system topic or a sheet of an add-in (.xla, .xlam). Matched by
// the name's parts, so "System Data" or "Maxlarge.xlsx" stay in the list.
bool IsSheetTopic(const std::string& field) {
    if (field == "System" || Lower(field).find("[:]:") != std::string::npos)
        return false;
    const size_t close = field.rfind(']');
    std::string book =
        Lower(field.size() > 1 && field[0] == '[' && close != std::string::npos ? field.substr(1, close - 1)
                                                                                : field);
    auto endsWith = [&](const char* tail) {
        const std::string t(tail);
        return book.size() >= t.size() && book.compare(book.size() - t.size(), t.size(), t) == 0;
    };
    return !endsWith(".xla") && !endsWith(".xlam");
}

void ShowError(Dialogs& dialogs, const RuntimeError& e) {
    dialogs.Message(ErrorReportText(e), kMessageTitle, MessageIcon::Critical);
}

} // namespace

bool ProbeExcel(ExcelLink& link) {
    try {
        link.txt.Open(kApplication, "System", "Topics");
    } catch (const RuntimeError&) {
        link.dialogs.Message(kRunExcelMessage, kMessageTitle, MessageIcon::Critical);
        return true;
    }
    link.txt.Close();
    return false;
}

bool FindExcelSheets(ExcelLink& link, std::vector<std::string>& cmb) {
    try {
        DoEvents(link.events);
        if (ProbeExcel(link))
            return false;
        DoEvents(link.events);

        const std::string s = RequestOnce(link, "System", "Selection");
        DoEvents(link.events);
        // One-letter strings are assigned as characters: the literal form trips a false -Wrestrict
        // in GCC 12 at -O3.
        link.RowLetter.assign(1, 'R');
        // File and sheet names may hold '!': the row letter follows the last one.
        const size_t p = s.rfind('!');
        if (p != std::string::npos && p + 1 < s.size())
            link.RowLetter = s.substr(p + 1, 1);
        else
            link.RowLetter.assign(1, link.dialogs.AskYesNo(kSpanishExcelQuestion, kMessageTitle) ? 'F' : 'R');

        std::string list = RequestOnce(link, "System", "Topics");
        DoEvents(link.events);

        cmb.clear();
        for (std::string field = NextField(list, 0); !field.empty(); field = NextField(list, 0)) {
            if (IsSheetTopic(field))
                cmb.push_back(field);
            DoEvents(link.events);
        }
        // Selecting the first entry of an empty list fails as the list control would.
        if (cmb.empty())
            throw RuntimeError::InvalidPropertyValue();
        return true;
    } catch (const RuntimeError& e) {
        if (e.number() == RuntimeError::NoApplicationResponding().number())
            link.dialogs.Message(kRunExcelMessage, kMessageTitle, MessageIcon::Critical);
        else
            ShowError(link.dialogs, e);
        return false;
    }
}

int16_t ColumnNumber(Dialogs& dialogs, std::string& col) {
    if (IsNumeric(col))
        return CInt(SafeDouble(col));
    std::transform(col.begin(), col.end(), col.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    auto code = [](char c) { return int(static_cast<unsigned char>(c)) - 64; };
    if (col.size() == 1)
        return static_cast<int16_t>(code(col[0]));
    if (col.size() == 2)
        return static_cast<int16_t>(code(col[0]) * 26 + code(col[1]));
    dialogs.Message(kColumnRangeMessage, kMessageTitle, MessageIcon::Critical);
    return -1;
}

bool RequestExcelColumn(ExcelLink& link, const std::string& topic, int16_t startRow, int16_t endRow,
                        int16_t xlCol, GridModel& grid, int16_t gridCol, int16_t firstGridRow) {
    try {
        std::string column(1, 'C');
        column += std::to_string(xlCol);
        const std::string item = link.RowLetter + std::to_string(startRow) + column + ":" + link.RowLetter +
                                 std::to_string(endRow) + column;
        std::string data = RequestOnce(link, topic, item);
        const int last = firstGridRow + (endRow - startRow);
        for (int row = firstGridRow; row <= last; ++row)
            grid.SetTextMatrix(row, gridCol, NextField(data, 0));
        DoEvents(link.events);
        return true;
    } catch (const RuntimeError& e) {
        ShowError(link.dialogs, e);
        return false;
    }
}

bool GetExcelData(ExcelLink& link, ExcelLinkSettings& settings, GridModel& grid) {
    if (settings.sheet.empty()) {
        link.dialogs.Message(kFindSheetFirstMessage, kMessageTitle, MessageIcon::Critical);
        return false;
    }
    const int16_t startRow = CInt(Val(settings.startRow));
    const int16_t endRow = CInt(Val(settings.endRow));
    const int count = endRow - startRow + 1;

    // The rows arrive in a copy, so a refused request loses nothing of what the grid held.
    GridModel fresh(grid);
    fresh.SetCols(6);
    fresh.SetRows(count + 2);
    fresh.Clear();
    DoEvents(link.events);
    const char* headings[] = {"Name", "Coupon", "Maturity", "Quote", "Yield"};
    for (int c = 1; c <= 5; ++c)
        fresh.SetTextMatrix(1, c, headings[c - 1]);

    const int16_t nameCol = ColumnNumber(link.dialogs, settings.nameCol);
    const int16_t couponCol = ColumnNumber(link.dialogs, settings.couponCol);
    const int16_t maturityCol = ColumnNumber(link.dialogs, settings.maturityCol);
    const int16_t quoteCol = ColumnNumber(link.dialogs, settings.quoteCol);
    const int16_t yieldCol = ColumnNumber(link.dialogs, settings.yieldCol);

    bool ok = true;
    const std::pair<int16_t, int16_t> columns[] = {
        {1, nameCol}, {2, couponCol}, {3, maturityCol}, {4, quoteCol}};
    for (const auto& [gridCol, xlCol] : columns)
        ok = RequestExcelColumn(link, settings.sheet, startRow, endRow, xlCol, fresh, gridCol, 2) && ok;
    if (settings.yieldData)
        ok = RequestExcelColumn(link, settings.sheet, startRow, endRow, yieldCol, fresh, 5, 2) && ok;
    if (!ok)
        return false;
    grid = fresh;
    return true;
}

} // namespace yarrow
