#pragma once

namespace yarrow {

// Makes the picture box and the chart view report themselves as graphics (pictures) to assistive
// technology, with the name their widget publishes. Installs once; later calls do nothing.
void InstallPlotAccessibility();

} // namespace yarrow
