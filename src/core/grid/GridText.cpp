#include "core/grid/GridText.h"

#include "core/text/RuntimeError.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

namespace yarrow {

std::string NextField(std::string& text, int16_t /*mode*/) {
    if (text.empty())
        return {};
    size_t sepLen = 1;
    size_t pos = text.find('\t');
    if (pos == std::string::npos) {
        pos = text.find("\r\n");
        if (pos != std::string::npos)
            sepLen = 2;
        else
            pos = text.find('\r');
    }
    if (pos == std::string::npos) {
        std::string field = std::move(text);
        text.clear();
        return field;
    }
    // One separator only: two in a row stand around an empty field, which must keep its place
    // (an empty cell in a spreadsheet column must not pull the cells below it up a row).
    std::string field = text.substr(0, pos);
    text.erase(0, pos + sepLen);
    return field;
}

void RemoveCommas(std::string& text) {
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
}

void ReplaceLineFeeds(std::string& text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
}

namespace {

// The platform's text for memory running out while a huge clipboard text is handled.
RuntimeError OutOfMemory() {
    return RuntimeError(7, "Out of memory");
}

template <typename Body> void RunReportingErrors(Dialogs& dialogs, Body body) {
    std::optional<RuntimeError> error;
    try {
        body();
    } catch (const RuntimeError& e) {
        error = e;
    } catch (const std::bad_alloc&) {
        error = OutOfMemory();
    }
    if (error)
        dialogs.Message(ErrorReportText(*error), kMessageTitle, MessageIcon::Critical);
}

std::string ClipboardText(Clipboard& clipboard) {
    std::optional<std::string> text = clipboard.GetText();
    // No text on the clipboard (nothing at all, or only pictures or files) is a value the grid's
    // range text cannot take: InvalidPropertyValue. An empty text is refused the same way, since
    // writing it would silently blank the top-left cell of the selection.
    if (!text || text->empty())
        throw RuntimeError::InvalidPropertyValue();
    return std::move(*text);
}

} // namespace

void CopyGridSelection(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs) {
    RunReportingErrors(dialogs, [&] {
        clipboard.Clear();
        clipboard.SetText(grid.Clip());
    });
}

void CopyWholeGrid(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs) {
    RunReportingErrors(dialogs, [&] {
        clipboard.Clear();
        grid.Select(0, 0, grid.Rows() - 1, grid.Cols() - 1);
        clipboard.SetText(grid.Clip());
    });
}

void PasteToGridSelection(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs) {
    RunReportingErrors(dialogs, [&] {
        std::string text = ClipboardText(clipboard);
        ReplaceLineFeeds(text);
        RemoveCommas(text);
        grid.SetClip(text);
    });
}

void PasteIntoGridBody(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs) {
    RunReportingErrors(dialogs, [&] {
        std::string text = ClipboardText(clipboard);
        RemoveCommas(text);
        std::replace(text.begin(), text.end(), '\n', '0');
        grid.Select(grid.FixedRows(), grid.FixedCols(), grid.Rows() - 1, grid.Cols() - 1);
        grid.SetClip(text);
    });
}

namespace {

struct BlockShape {
    int rows = 0;
    int cols = 0;
};

// Rows by CR, cells by TAB; a last line of blanks or line feeds after the final CR is the copy's
// line ending, not data.
BlockShape ShapeOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const size_t cr = text.find('\r');
        lines.push_back(text.substr(0, cr));
        if (cr == std::string_view::npos)
            break;
        text.remove_prefix(cr + 1);
    }
    if (lines.size() > 1 && lines.back().find_first_not_of(" \n") == std::string_view::npos)
        lines.pop_back();
    BlockShape shape{int(std::min<size_t>(lines.size(), GridModel::kMaxCells)), 1};
    for (std::string_view line : lines)
        shape.cols = std::max(shape.cols, int(std::min<size_t>(std::count(line.begin(), line.end(), '\t') + 1,
                                                               GridModel::kMaxCells)));
    return shape;
}

// Grows the grid to at least rows x cols; a size the grid refuses leaves it as large as it was.
void GrowTo(GridModel& grid, long long rows, long long cols) {
    try {
        if (rows > grid.Rows())
            grid.SetRows(int(std::min<long long>(rows, GridModel::kMaxCells)));
        if (cols > grid.Cols())
            grid.SetCols(int(std::min<long long>(cols, GridModel::kMaxCells)));
    } catch (const RuntimeError&) {
    }
}

} // namespace

int PasteGrowingGrid(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs) {
    const std::optional<std::string> text = clipboard.GetText();
    if (!text || text->empty()) {
        PasteToGridSelection(grid, clipboard, dialogs); // reports why nothing can be pasted
        return -1;
    }
    const BlockShape block = ShapeOf(*text);
    GridModel::Range sel = grid.Selection();
    if (sel.row1 == sel.row2 && sel.col1 == sel.col2) {
        GrowTo(grid, (long long)sel.row1 + block.rows, (long long)sel.col1 + block.cols);
        sel.row2 = std::min(sel.row1 + block.rows - 1, grid.Rows() - 1);
        sel.col2 = std::min(sel.col1 + block.cols - 1, grid.Cols() - 1);
        grid.Select(sel.row1, sel.col1, sel.row2, sel.col2);
    }
    PasteToGridSelection(grid, clipboard, dialogs);
    return std::min(sel.row1 + block.rows - 1, sel.row2);
}

int PasteIntoGrowingBody(GridModel& grid, Clipboard& clipboard, Dialogs& dialogs) {
    const std::optional<std::string> text = clipboard.GetText();
    if (!text || text->empty()) {
        PasteIntoGridBody(grid, clipboard, dialogs);
        return -1;
    }
    const BlockShape block = ShapeOf(*text);
    GrowTo(grid, (long long)grid.FixedRows() + block.rows, grid.Cols());
    PasteIntoGridBody(grid, clipboard, dialogs);
    return std::min(grid.FixedRows() + block.rows - 1, grid.Rows() - 1);
}

void ClearGridSelection(GridModel& grid) {
    const GridModel::Range sel = grid.Selection();
    for (int r = std::max(sel.row1, grid.FixedRows()); r <= sel.row2; ++r)
        for (int c = std::max(sel.col1, grid.FixedCols()); c <= sel.col2; ++c)
            grid.SetTextMatrix(r, c, std::string());
}

void ReadGridCell(GridModel& grid, int row, int col, std::string& text) {
    if (row < 0 || row >= grid.Rows() || col < 0 || col >= grid.Cols()) {
        text.clear();
        return;
    }
    grid.SetRow(row);
    grid.SetCol(col);
    text = grid.TextMatrix(row, col);
}

void WriteGridCell(GridModel& grid, int row, int col, const std::string& text) {
    if (row < 0 || row >= grid.Rows() || col < 0 || col >= grid.Cols())
        return;
    grid.SetTextMatrix(row, col, text);
}

} // namespace yarrow
