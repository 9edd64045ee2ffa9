#pragma once

#include <QString>

namespace yarrow {

class frmYarrow;

// Walks the loaded window through its main states and saves a picture of each into folder:
// start.png, get-data.png, large-display.png, reduced-bottom.png, calculators.png, then the
// curves panel: curves-ytm.png, curves-zero-ns-fit.png, data-table.png (its points), curves-forward-spline.png and
// curves-large-display.png, then chart-window-2010.png (full screen), film-1981.png,
// spread-inversions.png, curve-map.png and the Factors window of 1982-2025 (factors.png).
// With YARROW_SCREENSHOT_VARIANT set (scale2 under QT_SCALE_FACTOR=2, or dark for the dark
// palette) only the main states are shot, as VARIANT-start.png, -get-data, -curves-zero-ns-fit,
// -analytics and -calculators.
// Returns the number of pictures that could not be written (0 on success).
int RunScreenshotTour(frmYarrow& window, const QString& folder);

} // namespace yarrow
