#pragma once

#include "core/data/CmtHistory.h"
#include "core/lessons/LessonData.h"

#include <optional>
#include <string>
#include <vector>

namespace yarrow {

// Series index (0 = 3M .. 9 = 30Y) of a label "3M", "6M", "1Y", "2Y", "3Y", "5Y", "7Y", "10Y",
// "20Y", "30Y" (letter case ignored); nullopt for any other text.
std::optional<int> SeriesOfLabel(const std::string& label);
const char* SeriesLabel(int series);

// One day of a spread, in hundredths of a percent as the history holds them.
struct SpreadPoint {
    Date date{};
    int16_t longRate = 0;
    int16_t shortRate = 0;
    int shortSeries = 0; // the series used: the asked one, or before it began the shortest present
    int Spread() const { return longRate - shortRate; }
};

enum class SpreadStep { kDaily, kWeekly, kMonthly };

struct SpreadRequest {
    int longSeries = 7;  // 10Y
    int shortSeries = 0; // 3M
    Date from{};
    Date to{};
    SpreadStep step = SpreadStep::kDaily;
};

// The spread long minus short. Daily: every day of the history in [from, to] that holds both
// rates itself (a day without one is no point). Weekly and monthly: the day's values as DayOf
// gives them, from `from` every 7 days or every month. Before the short series' first observation,
// the shortest series present on that day stands in for it.
std::vector<SpreadPoint> SpreadSeries(const CmtHistory& history, const SpreadRequest& request);

// "10Y - 3M", and when a stand-in was used "10Y - 3M (1Y before 1982-01-04)".
std::string SpreadLegend(const SpreadRequest& request, const std::vector<SpreadPoint>& points);

// A run of consecutive negative days of a daily spread. Days missing from the series do not
// break a run; a day at zero or above ends it.
struct Inversion {
    Date first{};
    Date last{};
    int businessDays = 0;
    int deepest = 0; // hundredths, the most negative spread
    Date deepestDay{};
    // Months from the first day's month to the start of the next recession beginning in or after
    // that month; none when no recession followed.
    std::optional<int> monthsToRecession;
    std::optional<Recession> recession;
};

// The inversions of at least `minDays` business days.
std::vector<Inversion> FindInversions(const std::vector<SpreadPoint>& daily, const std::vector<Recession>& recessions,
                                      int minDays = 1);

} // namespace yarrow
