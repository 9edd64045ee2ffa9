#pragma once

#include "core/data/CmtHistory.h"
#include "core/draw/Chart.h"
#include "core/lessons/LessonData.h"
#include "core/lessons/Spread.h"

#include <vector>

namespace yarrow {

// The spread over time (polyline class "spread"), every inversion shaded (class "inversion") and
// the recessions as bands (class "recession") on a date axis.
Chart SpreadChart(const SpreadRequest& request, const std::vector<SpreadPoint>& points,
                  const std::vector<Inversion>& inversions, const std::vector<Recession>& recessions);

// The history as a heat map: one column per date (every day of the history for a daily step,
// else the day on or before each week or month from `from`), the ten series down, the rate in
// percent on the viridis scale over the span's range; a series without a rate is blank.
Chart CurveMapChart(const CmtHistory& history, Date from, Date to, SpreadStep step);

// Days since 1970-01-01, the x of a date axis.
double ChartDay(Date d);

} // namespace yarrow
