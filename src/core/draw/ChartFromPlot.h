#pragma once

#include "core/draw/Chart.h"

namespace yarrow {

class DisplayList;

// The curves panel's picture as a chart: one series per line on the panel's scale, named after
// its curve (and the kept date), coloured and dashed per distinct name so the window keeps the
// lines apart the way the panel's palette does.
Chart ChartFromPlot(const DisplayList& plot);

} // namespace yarrow
