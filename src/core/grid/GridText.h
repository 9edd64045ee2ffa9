#pragma once

#include "core/grid/GridModel.h"
#include "core/seams/Clipboard.h"
#include "core/seams/Dialogs.h"

#include <cstdint>
#include <string>

namespace yarrow {

// Cell text exchange between grids, the clipboard and the spreadsheet link.
// Range text: TAB between cells, CR between rows (see GridModel::Clip).

// Cuts the first field off text and returns it; text keeps the rest. The separator is the first
// TAB anywhere in text, else the first CR LF pair, else the first CR; a CR LF pair is consumed
// whole. Without a separator the whole text is returned and text becomes empty; an empty text
// gives the empty field. mode is reserved: every value behaves as 0.
std::string NextField(std::string& text, int16_t mode);

// Drops every comma (thousands separators, and commas inside names alike).
void RemoveCommas(std::string& text);

// Every LF becomes a blank.
void ReplaceLineFeeds(std::string& text);

// The four clipboard procedures behind Ctrl+C, Ctrl+A, Ctrl+V and the Edit menu. A run-time error
// (no text on the clipboard, a failing clipboard) is shown with the common error report through
// dialogs; the grid keeps whatever was written before it.

// Clears the clipboard and puts the range text of the selection on it.
void CopyGridSelection(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs);
// Selects the whole grid, headings included, and copies it; the whole grid stays selected.
void CopyWholeGrid(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs);
// Writes the clipboard text into the selection, LF turned into blanks and commas removed.
void PasteToGridSelection(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs);
// Selects the body (all but the heading rows and columns) and writes the clipboard text into it,
// commas removed and each LF turned into "0" so numeric cells keep their value.
void PasteIntoGridBody(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs);

// Pastes that let a block outgrow the grid. Both read the block's shape from the clipboard text:
// rows by CR (a CR LF pair is one break), cells by TAB; a last line of blanks after the final break
// is the copy's line ending, not a row. Each returns the last grid row the block's rows reached, or
// -1 when nothing was pasted (the error is reported as above). A grid too large to grow that far
// takes what it holds.

// With a single cell selected, the grid grows to hold the block from that cell and the block is
// selected; a range selection is filled by the usual rule.
int PasteGrowingGrid(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs);
// PasteIntoGridBody on a grid that first grows to hold every row of the block in its body.
int PasteIntoGrowingBody(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs);

// Empties the selected cells outside the headings.
void ClearGridSelection(GridModel& grid);

// Makes (row, col) the current cell and returns its text in text. A cell outside the grid leaves
// the current cell where it was and gives the empty text; no error is raised.
void ReadGridCell(GridModel& grid, int row, int col, std::string& text);
// Sets the text of (row, col) without moving the current cell; a cell outside the grid is ignored.
void WriteGridCell(GridModel& grid, int row, int col, const std::string& text);

} // namespace yarrow
