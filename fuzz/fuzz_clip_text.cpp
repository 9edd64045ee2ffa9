// Clipboard and range text: NextField cuts a text into fields without losing a character but
// separators, the line ends convert both ways, and a paste of any text fills a grid in place.

#include "FuzzInput.h"
#include "core/grid/ClipboardLineEnds.h"
#include "core/grid/GridText.h"
#include "support/MemoryClipboard.h"

using namespace yarrow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzz::Text(data, size);

    std::string rest = input;
    size_t kept = 0;
    while (!rest.empty()) {
        const size_t before = rest.size();
        kept += NextField(rest, 0).size();
        fuzz::Require(rest.size() < before);
    }
    fuzz::Require(kept <= input.size());

    const std::string in = ClipboardTextIn(input);
    fuzz::Require(ClipboardTextIn(in) == in);
    const std::string out = ClipboardTextOut(in);
    fuzz::Require(out.find('\r') == std::string::npos);
    fuzz::Require(ClipboardTextIn(out) == in);

    GridModel grid(6, 6, 1, 1);
    grid.Select(2, 1, 4, 4);
    MemoryClipboard clipboard(in);
    fuzz::QuietDialogs dialogs;
    PasteToGridSelection(grid, clipboard, dialogs);
    PasteIntoGridBody(grid, clipboard, dialogs);
    fuzz::Require(grid.Rows() == 6 && grid.Cols() == 6);
    CopyGridSelection(grid, clipboard, dialogs);
    return 0;
}
