#include "core/lessons/Factors.h"

#include "core/data/ResourceFolder.h"
#include "core/lessons/FactorsCharts.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numeric>
#include <string>

namespace yarrow {
namespace {

Date Iso(const char* text) {
    return CDate(text, DateOrder::MonthFirst);
}

const CmtHistory& Bundled() {
    static const CmtHistory h = CmtHistory::FromFile(CmtHistoryFile());
    return h;
}

// A history text over the ten series; `rows` hold the date and ten fields ("" is no rate).
CmtHistory MakeHistory(const std::vector<std::vector<std::string>>& rows) {
    std::string text = "DATE\tDGS3MO\tDGS6MO\tDGS1\tDGS2\tDGS3\tDGS5\tDGS7\tDGS10\tDGS20\tDGS30\n";
    for (const auto& row : rows) {
        for (size_t c = 0; c < row.size(); ++c)
            text += (c ? "\t" : "") + row[c];
        text += "\n";
    }
    return CmtHistory::FromText(text);
}

double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const double n = static_cast<double>(a.size());
    const double ma = std::accumulate(a.begin(), a.end(), 0.0) / n;
    const double mb = std::accumulate(b.begin(), b.end(), 0.0) / n;
    double sab = 0, saa = 0, sbb = 0;
    for (size_t k = 0; k < a.size(); ++k) {
        sab += (a[k] - ma) * (b[k] - mb);
        saa += (a[k] - ma) * (a[k] - ma);
        sbb += (b[k] - mb) * (b[k] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

TEST(Factors, SeriesListsSortByMaturity) {
    EXPECT_EQ(ParseFactorSeries("10Y,3M, 2y"), (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(ParseFactorSeries("30Y,20Y,1Y"), (std::vector<int>{2, 8, 9}));
    for (const char* bad : {"", "3M,", "4Y", "3M,10Y,3m"})
        EXPECT_THROW(ParseFactorSeries(bad), FactorsError) << bad;
}

// Days with a gap in one series, a weekend and a month's end.
TEST(Factors, ObservationsNeedEveryChosenSeries) {
    const CmtHistory h = MakeHistory({
        {"2020-01-29", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"},
        {"2020-01-30", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"},
        {"2020-01-31", "1", "1", "1", "", "1", "1", "1", "1", "1", "1"}, // Friday without 2Y
        {"2020-02-03", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"},
        {"2020-02-07", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"},
        {"2020-02-10", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"},
    });
    struct Case {
        FactorStep step;
        std::vector<int> series;
        const char* to;
        std::vector<const char*> dates;
    };
    const Case cases[] = {
        {FactorStep::Daily, {0, 3, 7}, "2020-12-31", {"2020-01-29", "2020-01-30", "2020-02-03", "2020-02-07", "2020-02-10"}},
        {FactorStep::Daily, {0, 7}, "2020-02-09", {"2020-01-29", "2020-01-30", "2020-01-31", "2020-02-03", "2020-02-07"}},
        {FactorStep::Weekly, {0, 3, 7}, "2020-12-31", {"2020-01-30", "2020-02-07", "2020-02-10"}},
        {FactorStep::Monthly, {0, 3, 7}, "2020-12-31", {"2020-01-30", "2020-02-10"}},
        {FactorStep::Monthly, {0, 7}, "2020-12-31", {"2020-01-31", "2020-02-10"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step));
        const FactorObservations obs =
            SelectFactorObservations(h, {Iso("2020-01-01"), Iso(c.to), c.step, c.series});
        std::vector<Date> expected;
        for (const char* d : c.dates)
            expected.push_back(Iso(d));
        EXPECT_EQ(obs.dates, expected);
        ASSERT_EQ(obs.rates.size(), expected.size());
        EXPECT_EQ(obs.rates.front(), std::vector<double>(c.series.size(), 1.0));
    }
}

// Changes that are exact combinations of three orthogonal shapes with uncorrelated amplitudes: the
// components are the shapes (signed so their largest entry is positive), their explained shares
// are the shapes' variances and sum to 100 %.
TEST(Factors, PrincipalComponentsRecoverConstructedShapes) {
    const std::vector<std::vector<int>> shapes = {
        {1, 1, 1, 1, 1, 1, 1, 1},         // level: equal entries, all positive
        {-4, -3, -3, -1, 2, 3, 3, 3},     // slope: its largest entry is negative, so it flips
        {-2, -1, 1, 3, 2, -1, -1, -1},    // curvature
    };
    const int amplitude[] = {10, 2, 1}; // hundredths of a percent per unit of shape
    // Zero-mean, mutually orthogonal patterns over four steps.
    const int pattern[3][4] = {{1, -1, 1, -1}, {1, 1, -1, -1}, {1, -1, -1, 1}};
    std::vector<std::vector<std::string>> rows;
    std::vector<int> rate(8, 500);
    for (int day = 0; day < 9; ++day) {
        if (day > 0)
            for (size_t s = 0; s < 8; ++s)
                for (size_t f = 0; f < 3; ++f)
                    rate[s] += amplitude[f] * pattern[f][(day - 1) % 4] * shapes[f][s];
        std::vector<std::string> row = {FormatDate(Iso("2001-03-01") + std::chrono::days(day), "yyyy-mm-dd")};
        for (int r : rate)
            row.push_back(HundredthsText(static_cast<int16_t>(r)));
        row.insert(row.end(), {"", ""});
        rows.push_back(row);
    }
    const FactorObservations obs =
        SelectFactorObservations(MakeHistory(rows), {Iso("2001-01-01"), Iso("2001-12-31"), FactorStep::Daily});
    const PcaResult pca = PrincipalComponents(obs);
    EXPECT_EQ(pca.changes, 8u);
    double variance[3], total = 0;
    for (size_t f = 0; f < 3; ++f) {
        variance[f] = amplitude[f] * amplitude[f] *
                      std::inner_product(shapes[f].begin(), shapes[f].end(), shapes[f].begin(), 0.0);
        total += variance[f];
    }
    const double sign[] = {1, -1, 1};
    for (size_t f = 0; f < 3; ++f) {
        SCOPED_TRACE(f);
        EXPECT_NEAR(pca.explained[f], variance[f] / total, 1e-12);
        const double norm = std::sqrt(std::inner_product(shapes[f].begin(), shapes[f].end(), shapes[f].begin(), 0.0));
        for (size_t s = 0; s < 8; ++s)
            EXPECT_NEAR(pca.loadings[f][s], sign[f] * shapes[f][s] / norm, 1e-9) << s;
    }
    EXPECT_NEAR(pca.explained[0] + pca.explained[1] + pca.explained[2], 1.0, 1e-12);
    // Covariance divisor n - 1: the first eigenvalue is the level's variance in (points)^2.
    EXPECT_NEAR(pca.eigenvalues[0], variance[0] * 8 / 7 / 1e4, 1e-12);
}

// Curves made exactly from three betas give them back with no residual.
TEST(Factors, DynamicNelsonSiegelRecoversBetas) {
    FactorObservations obs;
    obs.series = {0, 2, 3, 5, 7, 9};
    const double betas[2][3] = {{6.0, -2.5, 1.2}, {3.1, 0.8, -4.0}};
    for (const auto& b : betas) {
        obs.dates.push_back(Iso("2010-06-30") + std::chrono::days(obs.dates.size()));
        std::vector<double> rates;
        for (int s : obs.series) {
            const double m = FactorSeriesMonths(s), x = 0.0609 * m;
            rates.push_back(b[0] + b[1] * (1 - std::exp(-x)) / x + b[2] * ((1 - std::exp(-x)) / x - std::exp(-x)));
        }
        obs.rates.push_back(rates);
    }
    const std::vector<DnsRow> rows = DynamicNelsonSiegel(obs, 0.0609);
    ASSERT_EQ(rows.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(rows[k].date, obs.dates[k]);
        EXPECT_NEAR(rows[k].level, betas[k][0], 1e-9);
        EXPECT_NEAR(rows[k].slope, betas[k][1], 1e-9);
        EXPECT_NEAR(rows[k].curvature, betas[k][2], 1e-9);
        EXPECT_NEAR(rows[k].rmse, 0, 1e-9);
    }
}

TEST(Factors, RefusesWhatCannotBeComputed) {
    const CmtHistory& h = Bundled();
    auto span = [&](const char* from, const char* to, std::vector<int> series) {
        return SelectFactorObservations(h, {Iso(from), Iso(to), FactorStep::Daily, series});
    };
    const FactorObservations twoDays = span("2010-07-01", "2010-07-02", DefaultFactorSeries());
    const FactorObservations twoSeries = span("2010-07-01", "2010-07-30", {0, 7});
    const FactorObservations noBills = span("1975-01-01", "1975-12-31", DefaultFactorSeries());
    EXPECT_THROW(PrincipalComponents(twoDays), FactorsError);
    EXPECT_THROW(PrincipalComponents(twoSeries), FactorsError);
    EXPECT_THROW(PrincipalComponents(noBills), FactorsError);
    EXPECT_NO_THROW(DynamicNelsonSiegel(twoDays, 0.0609));
    EXPECT_THROW(DynamicNelsonSiegel(twoSeries, 0.0609), FactorsError);
    EXPECT_THROW(DynamicNelsonSiegel(noBills, 0.0609), FactorsError);
    for (double lambda : {0.0, -0.0609, std::nan(""), std::numeric_limits<double>::infinity(), 1e-300, 1e6})
        EXPECT_THROW(DynamicNelsonSiegel(twoDays, lambda), FactorsError) << lambda;
    // Rates that never move have no components.
    const CmtHistory flat = MakeHistory({{"2020-01-02", "1", "1", "1", "1", "1", "1", "1", "1", "", ""},
                                         {"2020-01-03", "1", "1", "1", "1", "1", "1", "1", "1", "", ""},
                                         {"2020-01-06", "1", "1", "1", "1", "1", "1", "1", "1", "", ""}});
    EXPECT_THROW(PrincipalComponents(SelectFactorObservations(flat, {Iso("2020-01-01"), Iso("2020-12-31")})),
                 FactorsError);
}

// The bundled history: level, slope and curvature as the literature finds them.
TEST(Factors, BundledHistoryShowsLevelSlopeCurvature) {
    const PcaResult pca = PrincipalComponents(
        SelectFactorObservations(Bundled(), {Iso("1984-01-01"), Iso("1988-06-30"), FactorStep::Daily}));
    EXPECT_GT(pca.explained[0], 0.80);
    EXPECT_LT(pca.explained[0], 0.85);
    for (double loading : pca.loadings[0])
        EXPECT_GT(loading, 0);
    // The second component tilts: short and long ends move apart.
    EXPECT_LT(pca.loadings[1].front() * pca.loadings[1].back(), 0);

    const FactorObservations monthly =
        SelectFactorObservations(Bundled(), {Iso("1982-01-01"), Iso("2025-12-31"), FactorStep::Monthly});
    ASSERT_EQ(monthly.dates.size(), 523u); // January 1982 to July 2025
    const std::vector<DnsRow> rows = DynamicNelsonSiegel(monthly, kDieboldLiLambda);
    std::vector<double> level, slope, curvature, y10, spread, butterfly;
    for (size_t k = 0; k < rows.size(); ++k) {
        const auto& r = monthly.rates[k]; // 3M 6M 1Y 2Y 3Y 5Y 7Y 10Y
        level.push_back(rows[k].level);
        slope.push_back(rows[k].slope);
        curvature.push_back(rows[k].curvature);
        y10.push_back(r[7]);
        spread.push_back(r[0] - r[7]);
        butterfly.push_back(2 * r[3] - r[0] - r[7]);
        // The residual is that of the fitted betas, over the eight series.
        double squares = 0;
        for (size_t s = 0; s < r.size(); ++s) {
            const DnsLoadings l = DieboldLiLoadings(FactorSeriesMonths(monthly.series[s]), kDieboldLiLambda);
            const double e = r[s] - rows[k].level - l.slope * rows[k].slope - l.curvature * rows[k].curvature;
            squares += e * e;
        }
        EXPECT_NEAR(rows[k].rmse, std::sqrt(squares / 8), 1e-9);
    }
    EXPECT_GT(Correlation(level, y10), 0.95);
    EXPECT_GT(Correlation(slope, spread), 0.95);
    EXPECT_GT(Correlation(curvature, butterfly), 0.95);
}

// Proxies of days the history states, and gaps where it states no rate.
TEST(Factors, ProxiesAndTheirGaps) {
    struct Case {
        const char* day;
        double level, slope, curvature; // NaN: none
    };
    const double none = std::nan("");
    const Case cases[] = {
        {"2010-07-02", 3.00, 2.83, -1.91},
        {"2010-07-03", none, none, none}, // a Saturday
        {"1975-06-30", 7.96, none, none}, // no 3-month or 2-year series yet
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        const DnsProxies p = DieboldLiProxies(Bundled(), Iso(c.day));
        const double got[] = {p.level, p.slope, p.curvature}, want[] = {c.level, c.slope, c.curvature};
        for (int k = 0; k < 3; ++k) {
            if (std::isnan(want[k]))
                EXPECT_TRUE(std::isnan(got[k])) << k;
            else
                EXPECT_NEAR(got[k], want[k], 1e-12) << k;
        }
    }
    // The charts carry the days on a date axis and the missing proxy as a gap.
    const std::vector<DnsRow> rows = {{Iso("2010-07-02"), 4, -3, -1, 0}, {Iso("2010-07-03"), 4, -3, -1, 0}};
    const std::vector<BetaSeries> betas = BetasWithProxies(rows, Bundled());
    ASSERT_EQ(betas.size(), 3u);
    const Chart slope = BetaChart({rows[0].date, rows[1].date}, betas[1]);
    EXPECT_EQ(slope.xKind, ChartAxisKind::kDate);
    ASSERT_EQ(slope.series.size(), 2u);
    EXPECT_EQ(slope.series[1].cssClass, "slope");
    EXPECT_EQ(slope.series[1].points[1].x, static_cast<double>(rows[1].date.time_since_epoch().count()));
    EXPECT_NEAR(slope.series[0].points[0].y, 2.83, 1e-12);
    EXPECT_TRUE(std::isnan(slope.series[0].points[1].y));
}

} // namespace
} // namespace yarrow
