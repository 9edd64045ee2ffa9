#include "core/grid/GridText.h"

#include "core/text/RuntimeError.h"

#include <algorithm>
#include <new>
#include <optional>

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
