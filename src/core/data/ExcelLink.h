#pragma once

#include "core/grid/GridModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace yarrow {

class Dialogs;
class LinkClient;
class PendingEvents;

// The spreadsheet link procedures: listing the open sheets and reading column ranges of one of
// them into the data grid, over a LinkClient. Topics are "Excel|System" and "Excel|" + sheet
// ("[Book.xlsx]Sheet1"); items "Topics", "Selection" and ranges such as R5C2:R20C2.
struct ExcelLink {
    LinkClient& txt;
    Dialogs& dialogs;
    PendingEvents* events;
    // The session's RowLetter: set by FindExcelSheets, used in every range item.
    std::string& RowLetter;
};

inline constexpr const char* kRunExcelMessage =
    "Please run Excel and load into Excel the XLS file you want to use";
inline constexpr const char* kSpanishExcelQuestion = "Are you using Spanish Excel?";
inline constexpr const char* kColumnRangeMessage = "The columns can range from A to IV only";
inline constexpr const char* kFindSheetFirstMessage = "Please first find an Excel sheet";

// True when the spreadsheet cannot be reached (and the user has been told), false otherwise.
bool ProbeExcel(ExcelLink& link);

// Lists the open sheets into cmb (system topic and add-ins left out, in the order given) and
// returns true with the first entry to be selected. When the spreadsheet cannot be reached cmb
// is left as it was; any failure is shown to the user and gives false.
bool FindExcelSheets(ExcelLink& link, std::vector<std::string>& cmb);

// Column number of a reference: a number, or one or two letters (A = 1, IV = 256). col is turned
// to upper case in place. Any other length shows the range message and gives -1.
int16_t ColumnNumber(Dialogs& dialogs, std::string& col);

// Reads rows startRow..endRow of column xlCol of sheet topic into column gridCol of grid, from
// firstGridRow down; cells the reply does not cover become empty. A failure is shown with the
// common error report (cells written before it stay) and gives false.
bool RequestExcelColumn(ExcelLink& link, const std::string& topic, int16_t startRow, int16_t endRow,
                        int16_t xlCol, GridModel& grid, int16_t gridCol, int16_t firstGridRow);

// The "Excel Link" frame's settings, as typed.
struct ExcelLinkSettings {
    std::string sheet; // the chosen entry of the sheet list
    // Column references; upper-cased in place.
    std::string nameCol, couponCol, maturityCol, quoteCol, yieldCol;
    std::string startRow, endRow;
    bool yieldData = true; // "Yield Data"
};

// Rewrites the data grid from the sheet: headings in row 1, the sheet's rows startRow..endRow as
// grid rows 2.., columns name, coupon, maturity, quote and, with yieldData, yield. Without a sheet
// the user is told to find one first. A failing request leaves the grid exactly as it was (the
// failure has been shown) and gives false. A row range that cannot size the grid (last row
// before the first) raises InvalidPropertyValue, the grid unchanged.
bool GetExcelData(ExcelLink& link, ExcelLinkSettings& settings, GridModel& grid);

} // namespace yarrow
