#include "core/lessons/CurveFilm.h"
#include "core/lessons/LessonCharts.h"
#include "core/lessons/LessonData.h"
#include "core/lessons/Spread.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

const CmtHistory& Bundled() {
    static const CmtHistory h =
        CmtHistory::FromFile(YARROW_SOURCE_RESOURCES "/history/treasury-cmt-daily-1962-2025.tsv");
    return h;
}

const std::vector<Recession>& BundledRecessions() {
    static const std::vector<Recession> r = [] {
        std::FILE* f = std::fopen(YARROW_SOURCE_RESOURCES "/history/us-recessions.tsv", "rb");
        std::string text;
        char buf[512];
        for (size_t n; f && (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
            text.append(buf, n);
        if (f)
            std::fclose(f);
        return ParseRecessions(text);
    }();
    return r;
}

std::vector<SpreadPoint> WholeSpread() {
    SpreadRequest r;
    r.from = Bundled().First();
    r.to = Bundled().Last();
    return SpreadSeries(Bundled(), r);
}

const Inversion* Containing(const std::vector<Inversion>& all, Date d) {
    for (const Inversion& i : all)
        if (i.first <= d && d <= i.last)
            return &i;
    return nullptr;
}

TEST(LessonsBundled, SpreadAndInversionsOfTheHistory) {
    const std::vector<SpreadPoint> daily = WholeSpread();
    const auto day = std::find_if(daily.begin(), daily.end(),
                                  [](const SpreadPoint& p) { return p.date == MakeDate(2023, 7, 3); });
    ASSERT_NE(day, daily.end());
    EXPECT_EQ(day->longRate, 386);
    EXPECT_EQ(day->shortRate, 544);
    EXPECT_EQ(day->Spread(), -158);
    EXPECT_EQ(daily.front().shortSeries, 2) << "before the 3-month series, the 1-year stands in";
    SpreadRequest asked;
    EXPECT_EQ(SpreadLegend(asked, daily), "10Y - 3M (1Y before 1982-01-04)");

    const std::vector<Inversion> all = FindInversions(daily, BundledRecessions());
    const Inversion* in2019 = Containing(all, MakeDate(2019, 8, 27));
    ASSERT_NE(in2019, nullptr);
    EXPECT_GE(in2019->last, MakeDate(2019, 10, 10));
    const auto longest = std::max_element(all.begin(), all.end(), [](const Inversion& a, const Inversion& b) {
        return a.businessDays < b.businessDays;
    });
    EXPECT_EQ(Year(longest->first), 2022);
    EXPECT_EQ(Year(longest->last), 2024);
    EXPECT_FALSE(longest->monthsToRecession.has_value());
    struct Case {
        Date inside;
        const char* peak;
    };
    for (const Case& c : {Case{MakeDate(2000, 11, 1), "2001-03"}, Case{MakeDate(2007, 2, 27), "2007-12"}}) {
        const Inversion* inv = Containing(all, c.inside);
        ASSERT_NE(inv, nullptr) << FormatDate(c.inside, "yyyy-mm-dd");
        ASSERT_TRUE(inv->recession.has_value());
        EXPECT_EQ(inv->recession->PeakText(), c.peak);
        EXPECT_EQ(*inv->monthsToRecession, inv->recession->peakYear * 12 + inv->recession->peakMonth -
                                               Year(inv->first) * 12 - Month(inv->first));
    }
}

TEST(LessonsSpread, RunsGapsStandInsAndSteps) {
    // 1Y, 10Y and 3M (the other series absent); the 3-month series begins on the 5th; the 9th has
    // no data at all.
    const char* rows[][4] = {
        {"2001-01-02", "5.00", "4.90", "."},    // stand-in 1Y: -10
        {"2001-01-03", "5.00", "5.00", "."},    // 0 ends the run
        {"2001-01-05", "5.00", "4.00", "4.50"}, // -50
        {"2001-01-08", "5.00", "4.00", "4.80"}, // -80, deepest
        {"2001-01-09", ".", ".", "."},
        {"2001-01-10", "5.00", "4.00", "."},    // 3M missing: no point
        {"2001-01-11", "5.00", "4.00", "4.10"}, // -10
        {"2001-01-12", "5.00", "4.20", "4.10"}, // +10
    };
    std::string text = "DATE\tDGS1\tDGS10\tDGS3MO\tDGS6MO\tDGS2\tDGS3\tDGS5\tDGS7\tDGS20\tDGS30\n";
    for (const auto& row : rows)
        text += std::string(row[0]) + '\t' + row[1] + '\t' + row[2] + '\t' + row[3] + "\t.\t.\t.\t.\t.\t.\t.\n";
    const CmtHistory h = CmtHistory::FromText(text);
    SpreadRequest r;
    r.from = MakeDate(2001, 1, 1);
    r.to = MakeDate(2001, 1, 31);
    const std::vector<SpreadPoint> daily = SpreadSeries(h, r);
    std::vector<int> spreads;
    for (const SpreadPoint& p : daily)
        spreads.push_back(p.Spread());
    EXPECT_EQ(spreads, (std::vector<int>{-10, 0, -50, -80, -10, 10}));
    EXPECT_EQ(SpreadLegend(r, daily), "10Y - 3M (1Y before 2001-01-05)");

    const std::vector<Recession> recessions = ParseRecessions("PEAK\tTROUGH\n2001-03\t2001-11\n");
    const std::vector<Inversion> runs = FindInversions(daily, recessions);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].businessDays, 1);
    EXPECT_EQ(runs[1].first, MakeDate(2001, 1, 5));
    EXPECT_EQ(runs[1].last, MakeDate(2001, 1, 11));
    EXPECT_EQ(runs[1].businessDays, 3);
    EXPECT_EQ(runs[1].deepest, -80);
    EXPECT_EQ(runs[1].deepestDay, MakeDate(2001, 1, 8));
    EXPECT_EQ(runs[1].monthsToRecession, 2);
    EXPECT_EQ(FindInversions(daily, recessions, 2).size(), 1u);
    EXPECT_FALSE(FindInversions(daily, {}, 1)[1].monthsToRecession.has_value());

    r.step = SpreadStep::kWeekly;
    r.from = MakeDate(2001, 1, 4); // DayOf carries the 3rd's rates; the 11th is a week on
    spreads.clear();
    for (const SpreadPoint& p : SpreadSeries(h, r))
        spreads.push_back(p.Spread());
    EXPECT_EQ(spreads, (std::vector<int>{0, -10, 10, 10}));
}

TEST(LessonsRecessions, ReadsTheFileAndRejectsWhatIsNotIt) {
    ASSERT_GE(BundledRecessions().size(), 9u);
    EXPECT_EQ(BundledRecessions().back().End(), MakeDate(2020, 4, 30));
    for (const char* bad : {"PEAK\tTROUGH\n2001-3\t2001-11\n", "PEAK\tTROUGH\n2001-03 2001-11\n",
                            "PEAK\tTROUGH\n2001-11\t2001-03\n", "PEAK\tTROUGH\n2001-03\t2001-11\n1990-07\t1991-03\n",
                            "PEAK\tTROUGH\n2001-13\t2002-01\n"})
        EXPECT_THROW(ParseRecessions(bad), RecessionsError) << bad;
    EXPECT_EQ(ParseRecessions("PEAK\tTROUGH\r\n\r\n1990-07\t1991-03\r\n").size(), 1u);
}

TEST(LessonsFilm, FramesFromTheHistory) {
    const FilmCurve y1981 = FilmCurveOf(Bundled(), MakeDate(1981, 6, 30), CurveType::YieldToMaturity);
    const FilmCurve y2010 = FilmCurveOf(Bundled(), MakeDate(2010, 6, 30), CurveType::YieldToMaturity);
    ASSERT_FALSE(y1981.Empty());
    ASSERT_EQ(y2010.points.size(), 10u);
    EXPECT_TRUE(y1981.inverted);
    EXPECT_FALSE(y2010.inverted);
    // The par bond's yield is its coupon: the 10-year point is the day's 10-year rate.
    const auto ten = std::find_if(y2010.points.begin(), y2010.points.end(),
                                  [](const ChartPoint& p) { return std::abs(p.x - 10) < 0.1; });
    ASSERT_NE(ten, y2010.points.end());
    EXPECT_NEAR(ten->y, 2.97, 0.01);
    EXPECT_TRUE(FilmCurveOf(Bundled(), MakeDate(1950, 1, 1), CurveType::Zero).Empty());

    const ChartRange axes = FilmAxes(Bundled(), MakeDate(1979, 1, 1), MakeDate(1982, 12, 31));
    EXPECT_EQ(axes.xMax, 30);
    EXPECT_LE(axes.yMin, 0);
    EXPECT_GE(axes.yMax, 17.5);
    const Chart frame = FilmFrameChart(y1981, {y2010, y2010}, axes, CurveType::YieldToMaturity);
    ASSERT_EQ(frame.series.size(), 3u);
    EXPECT_LT(frame.series[0].opacity, frame.series[1].opacity);
    EXPECT_EQ(frame.series[2].colour, kChartVermillion);
    EXPECT_EQ(frame.fixed, axes);
    EXPECT_EQ(frame.title, "1981-06-30  inverted");
    EXPECT_EQ(FilmDates(Bundled(), MakeDate(2019, 1, 31), MakeDate(2019, 4, 30), SpreadStep::kMonthly),
              (std::vector<Date>{MakeDate(2019, 1, 31), MakeDate(2019, 2, 28), MakeDate(2019, 3, 31), MakeDate(2019, 4, 30)}));
}

TEST(LessonsMap, ColumnsRowsAndBlanks) {
    const Chart daily = CurveMapChart(Bundled(), Bundled().First(), Bundled().Last(), SpreadStep::kDaily);
    ASSERT_TRUE(daily.heat.has_value());
    const ChartHeatMap& h = *daily.heat;
    size_t businessDays = 0;
    for (size_t k = 0; k < Bundled().Size(); ++k)
        businessDays += Bundled().RateAt(k, 7) != CmtHistory::kAbsent;
    EXPECT_EQ(h.Columns(), businessDays);
    // A holiday line of the file is covered by the day before, not left as a blank column.
    EXPECT_EQ(daily.XText(h.xEdges[h.ColumnAt(ChartDay(MakeDate(1982, 1, 1)))]), "1981-12-31");
    EXPECT_EQ(h.rowLabels.front(), "3M");
    EXPECT_EQ(h.rowLabels.back(), "30Y");
    EXPECT_TRUE(std::isnan(h.Value(0, 0))) << "no 3-month rate in 1962";
    const size_t k = h.ColumnAt(ChartDay(MakeDate(2023, 7, 3)));
    ASSERT_LT(k, h.Columns());
    EXPECT_EQ(daily.XText(h.xEdges[k]), "2023-07-03");
    EXPECT_DOUBLE_EQ(h.Value(7, k), 3.86);
    EXPECT_LE(h.low, 0);
    EXPECT_GE(h.high, 16);
    const Chart monthly = CurveMapChart(Bundled(), MakeDate(2000, 1, 31), MakeDate(2000, 12, 31), SpreadStep::kMonthly);
    EXPECT_EQ(monthly.heat->Columns(), 12u);
    EXPECT_EQ(monthly.XText(monthly.heat->xEdges[1]), "2000-02-29");
}

} // namespace
} // namespace yarrow
