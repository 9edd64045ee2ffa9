#include "core/calculators/PresentValue.h"

#include "core/calculators/ConvertQuote.h"
#include "core/grid/GridModel.h"
#include "core/grid/GridText.h"
#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"

#include <cmath>

namespace yarrow {

void SetupPresentValueGrid(GridModel& grid) {
    grid.SetCols(3);
    grid.SetFixedCols(0);
    grid.SetRows(25);
    WriteGridCell(grid, 0, 0, "Time");
    WriteGridCell(grid, 0, 1, "Yield");
    WriteGridCell(grid, 0, 2, "Amount");
}

std::optional<std::string> PresentValue(GridModel& grid, Dialogs& dialogs) {
    const int n = grid.Rows() - 1;
    float total = 0;
    for (int i = 1; i <= n; ++i) {
        // Each cell is a single; a yield read as a percentage becomes a double quotient.
        double cells[3] = {0, 0, 0};
        for (int col = 0; col < 3; ++col) {
            std::string text;
            ReadGridCell(grid, i, col, text);
            if (!text.empty() && !IsNumeric(text)) {
                dialogs.Message("Non-numeric entry in table", "Calculator", MessageIcon::Critical);
                return std::nullopt;
            }
            cells[col] = SafeSingle(text);
            if (col == 1)
                Check_Rate(cells[1], "Interest rate in row" + std::to_string(i));
        }
        const double t = cells[0], y = cells[1], a = cells[2];
        total = CSng(total + a * std::exp(-y * t));
    }
    return FormatPattern(total, "#####0.00####");
}

} // namespace yarrow
