#include "core/analytics/AnalyticsGrid.h"
#include "core/analytics/CashFlowMeasures.h"
#include "core/analytics/PortfolioOptimizer.h"
#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"

#include <cmath>
#include <gtest/gtest.h>

namespace yarrow {
namespace {

GridModel CashFlowGrid(std::vector<std::pair<std::string, std::string>> rows, int gridRows = 100) {
    GridModel grid(gridRows, 2, 1, 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        grid.SetTextMatrix(static_cast<int>(i) + 1, 0, rows[i].first);
        grid.SetTextMatrix(static_cast<int>(i) + 1, 1, rows[i].second);
    }
    return grid;
}

// The bundled snapshot's par curve, continuously bootstrapped as opening the panel does.
void LoadParCurve(Session& session, GridModel& bondGrid) {
    GridModel data(6, 6, 1, 1);
    const char* rows[][4] = {{"6TD", "0", "06/30/2011", "0.19"},
                             {"2", "0.61", "12/31/2012", "100"},
                             {"5", "2.01", "12/31/2015", "100"},
                             {"10", "3.30", "12/31/2020", "100"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            data.SetTextMatrix(r + 2, c + 1, rows[r][c]);
    BuildBondTable(session, data, "12/31/2010");
    GridModel cashFlows(100, 2, 1, 0);
    FillAnalyticsGrid(session, bondGrid, cashFlows);
}

TEST(AnalyticsGrid, ListsEveryBondAndLeavesTheCashFlowHeadings) {
    Session session;
    GridModel bondGrid;
    GridModel cashFlows(100, 2, 1, 0);
    cashFlows.SetTextMatrix(5, 1, "stale");
    GridModel data(4, 6, 1, 1);
    data.SetTextMatrix(2, 1, "6TD");
    data.SetTextMatrix(2, 3, "06/30/2011");
    data.SetTextMatrix(2, 4, "0.19");
    data.SetTextMatrix(3, 1, "10");
    data.SetTextMatrix(3, 2, "3.3");
    data.SetTextMatrix(3, 3, "12/31/2020");
    data.SetTextMatrix(3, 4, "100");
    BuildBondTable(session, data, "12/31/2010");
    FillAnalyticsGrid(session, bondGrid, cashFlows);

    EXPECT_EQ(cashFlows.TextMatrix(0, 0), "Time");
    EXPECT_EQ(cashFlows.TextMatrix(0, 1), "Cash Flow");
    EXPECT_EQ(cashFlows.TextMatrix(5, 1), "");
    ASSERT_EQ(bondGrid.Rows(), 3);
    ASSERT_EQ(bondGrid.Cols(), 8);
    EXPECT_EQ(bondGrid.TextMatrix(0, 0), "");
    EXPECT_EQ(bondGrid.TextMatrix(0, 4), "$Duration");
    EXPECT_EQ(bondGrid.TextMatrix(1, 0), "6TD");
    EXPECT_EQ(bondGrid.TextMatrix(1, 1), "0");
    EXPECT_EQ(bondGrid.TextMatrix(1, 2), "99.9045");
    // The duration of a one-flow bill is its years to maturity (181 days).
    EXPECT_EQ(bondGrid.TextMatrix(1, 6), FormatPattern(181.0f / 365.0f, "####0.0000"));
    EXPECT_EQ(bondGrid.TextMatrix(2, 3), "3.3000");
    // Dollar measures have two decimals, their ratios to the price four.
    const std::string dd = bondGrid.TextMatrix(2, 4);
    EXPECT_EQ(dd.size() - dd.find('.'), 3u);
    // The continuous zero curve is in place for cash-flow streams.
    EXPECT_GT(session.ZeroYields(2), 0.0f);
}

// A bill, a 5-year bond quoted `quote` and a par 10-year bond.
void LoadWithMiddleBond(Session& session, const char* coupon, const char* quote) {
    GridModel data(5, 6, 1, 1);
    const char* rows[][4] = {{"6TD", "0", "06/30/2011", "0.19"},
                             {"Odd", coupon, "12/31/2015", quote},
                             {"10", "3.30", "12/31/2020", "100"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            data.SetTextMatrix(r + 2, c + 1, rows[r][c]);
    BuildBondTable(session, data, "12/31/2010");
}

TEST(AnalyticsGrid, ABondWithoutAYieldShowsNaAndTheListingGoesOn) {
    // Priced at 0 on its coupon date: no yield fits, and no zero curve can price it either.
    Session session;
    LoadWithMiddleBond(session, "5", "0");
    GridModel bondGrid, cashFlows(100, 2, 1, 0);
    EXPECT_THROW(FillAnalyticsGrid(session, bondGrid, cashFlows), RuntimeError);
    bondGrid.Select(2, 0, 3, 7);
    EXPECT_EQ(bondGrid.Clip(), "Odd\t0\t0.0000\t-99900.0000\tn/a\tn/a\tn/a\tn/a\r"
                               "10\t0\t100.0000\t3.3000\t857.91\t8116.97\t8.5791\t81.1697");
    // Worth more than its flows undiscounted (a negative yield): the curve is built, the note names it.
    Session above;
    LoadWithMiddleBond(above, "1", "130");
    EXPECT_EQ(
        NoYieldNote(above, FillAnalyticsGrid(above, bondGrid, cashFlows)),
        "No yield between 0.01% and 99% fits the price of Odd: the risk measures show n/a and the solve "
        "leaves it out.");
}

TEST(CashFlows, ASingleFlowAtOneYearHasEqualValueDurationAndConvexity) {
    Session session;
    GridModel bondGrid;
    LoadParCurve(session, bondGrid);
    const CashFlowResult r = CalculateCashFlows(session, CashFlowGrid({{"1", "100"}}), "1");
    EXPECT_NEAR(r.cfDollarDuration, r.cfValue, 2e-3f);
    EXPECT_NEAR(r.cfDollarConvexity, r.cfValue, 2e-3f);
    // The value is the flow discounted at the one-year continuous zero rate.
    EXPECT_LT(r.cfValue, 100.0f);
    EXPECT_GT(r.cfValue, 99.0f);
    EXPECT_NEAR(r.cfYield, -std::log(r.cfValue / 100.0f), 2e-6f);
    const auto captions = CashFlowCaptions(r);
    EXPECT_EQ(captions[0].rfind("Value: 99.", 0), 0u);
    EXPECT_EQ(captions[1].rfind("Yield: 0.", 0), 0u);
}

TEST(CashFlows, AnEmptyOrZeroStreamShowsTheFirstMidpointAsItsYield) {
    Session session;
    for (const auto& [grid, count] : {std::pair{CashFlowGrid({}), std::string("0")},
                                      std::pair{CashFlowGrid({{"1", "0"}, {"2", ""}}), std::string("2")}}) {
        const auto captions = CashFlowCaptions(CalculateCashFlows(session, grid, count));
        EXPECT_EQ(captions[0], "Value: 0.0000");
        EXPECT_EQ(captions[1], "Yield: 49.5050");
        EXPECT_EQ(captions[2], "$Duration: 0.0000");
        EXPECT_EQ(captions[3], "$Convexity: 0.0000");
    }
}

TEST(CashFlows, CountsAndCellsAreReadLeniently) {
    EXPECT_EQ(CashFlowGridRows("10"), 11);
    EXPECT_EQ(CashFlowGridRows("3"), 4);
    EXPECT_EQ(CashFlowGridRows("-3"), 4);
    EXPECT_EQ(CashFlowGridRows("2.5"), 4); // 3.5 to even
    EXPECT_EQ(CashFlowGridRows("abc"), 1);
    EXPECT_THROW(CashFlowGridRows("1e12"), RuntimeError);

    Session session; // a flat 5% continuous curve
    session.nBonds = 1;
    session.ZeroYields.Redim(1);
    session.ZeroTimes.Redim(1);
    session.ZeroYields(0) = session.ZeroYields(1) = 0.05f;
    session.ZeroTimes(1) = 1.0f;
    // "2.5" flows is 2 (halves to even); "12abc" reads 12.
    const CashFlowResult r =
        CalculateCashFlows(session, CashFlowGrid({{"12abc", "40"}, {"1", "60"}, {"3", "1000"}}), "2.5");
    EXPECT_NEAR(r.cfValue, 40 * std::exp(-0.6) + 60 * std::exp(-0.05), 1e-4);
    // With no curve every rate reads 0: no yield from 0.0001 up fits the plain sum, and the risk
    // at the failure yield -999 is beyond every number, an Overflow rather than an infinity.
    Session flat;
    EXPECT_THROW(CalculateCashFlows(flat, CashFlowGrid({{"12abc", "40"}, {"1", "60"}}), "2"), RuntimeError);
    // The failed stream leaves the previous one's four results whole (value and yield included).
    CashFlowResult kept = r;
    EXPECT_THROW(CalculateCashFlows(flat, CashFlowGrid({{"12abc", "40"}, {"1", "60"}}), "2", kept),
                 RuntimeError);
    EXPECT_EQ(kept.cfValue, r.cfValue);
    EXPECT_EQ(kept.cfYield, r.cfYield);
    EXPECT_EQ(kept.cfDollarDuration, r.cfDollarDuration);
    EXPECT_EQ(kept.cfDollarConvexity, r.cfDollarConvexity);
    // A count beyond the grid's rows, or below zero, is an error.
    EXPECT_THROW(CalculateCashFlows(session, CashFlowGrid({{"1", "1"}}, 3), "5"), RuntimeError);
    EXPECT_THROW(CalculateCashFlows(session, CashFlowGrid({{"1", "1"}}), "-2"), RuntimeError);
}

// Two bonds with prices 100 and 100, dollar durations 200 and 800, yields 4 and 5 percent.
float TwoBonds(int16_t i, BondMeasure m) {
    switch (m) {
    case BondMeasure::Price:
        return 100.0f;
    case BondMeasure::Yield:
        return i == 1 ? 0.04f : 0.05f;
    case BondMeasure::DollarDuration:
        return i == 1 ? 200.0f : 800.0f;
    case BondMeasure::DollarConvexity:
        return i == 1 ? 400.0f : 6400.0f;
    }
    return 0.0f;
}

TEST(Portfolio, AsManyBondsAsTargetsFixTheHoldings) {
    for (Strategy s : {Strategy::MaxYield, Strategy::MinConvexity}) {
        PortfolioSolution sol = SolvePortfolio(2, TwoBonds, s, {1000.0f, 5000.0f, 1000.0f});
        ASSERT_EQ(sol.status, 0);
        GridModel grid(3, 8, 1, 1);
        WriteQuantities(sol, 2, grid);
        EXPECT_EQ(grid.TextMatrix(1, 1), "5.0000");
        EXPECT_EQ(grid.TextMatrix(2, 1), "5.0000");
    }
    PortfolioSolution maxYield = SolvePortfolio(2, TwoBonds, Strategy::MaxYield, {1000.0f, 5000.0f, 0.0f});
    EXPECT_NEAR(maxYield.objective, 240.0f, 1e-3f);
}

TEST(Portfolio, UnreachableTargetsLeaveEveryQuantityAtZero) {
    GridModel grid(3, 8, 1, 1);
    grid.SetTextMatrix(1, 1, "7.0000");
    // More duration than 800 per 100 of value allows.
    PortfolioSolution tooLong = SolvePortfolio(2, TwoBonds, Strategy::MaxYield, {1000.0f, 9000.0f, 0.0f});
    EXPECT_NE(tooLong.status, 0);
    WriteQuantities(tooLong, 2, grid);
    EXPECT_EQ(grid.TextMatrix(1, 1), "0.0000");
    EXPECT_EQ(grid.TextMatrix(2, 1), "0.0000");
    // The only holdings give convexity 5 x 400 + 5 x 6400 = 34000; asking for more is infeasible.
    PortfolioSolution convex =
        SolvePortfolio(2, TwoBonds, Strategy::MinConvexity, {1000.0f, 5000.0f, 40000.0f});
    EXPECT_NE(convex.status, 0);
    EXPECT_EQ(convex.x(0), 0.0f);
}

TEST(Portfolio, ABondWithoutAYieldIsLeftOutAndNamed) {
    Session session;
    LoadWithMiddleBond(session, "1", "130");
    const PortfolioSolution sol = SolvePortfolio(session, Strategy::MaxYield, {1000.0f, 5000.0f, 0.0f});
    ASSERT_EQ(sol.status, 0);
    EXPECT_EQ(sol.leftOut, std::vector<int>{2});
    EXPECT_EQ(sol.x(1), 0.0f);
    // Bill and 10-year alone: quantities fixed by the two targets, worth 1000 together.
    const float total = sol.x(0) * session.Bond(1).GetPrice() + sol.x(2) * session.Bond(3).GetPrice();
    EXPECT_NEAR(total, 1000.0f, 0.05f);
    EXPECT_EQ(SolveStatusText(session, sol),
              "Solved: the quantities meet the targets. Left out, as no yield fits their price: Odd.");
}

TEST(Portfolio, MinConvexityPrefersTheBulletAndMaxYieldTheBarbell) {
    // Three bonds: a 5-year bullet and a 1/10-year barbell with the same value and duration.
    auto three = [](int16_t i, BondMeasure m) -> float {
        const float d[] = {0, 100, 500, 1000}, c[] = {0, 100, 2500, 10000}, y[] = {0, 0.01f, 0.03f, 0.045f};
        switch (m) {
        case BondMeasure::Price:
            return 100.0f;
        case BondMeasure::Yield:
            return y[i];
        case BondMeasure::DollarDuration:
            return d[i];
        case BondMeasure::DollarConvexity:
            return c[i];
        }
        return 0.0f;
    };
    PortfolioSolution bullet = SolvePortfolio(3, three, Strategy::MinConvexity, {1000.0f, 5000.0f, 0.0f});
    ASSERT_EQ(bullet.status, 0);
    EXPECT_NEAR(bullet.x(1), 10.0f, 1e-4f);
    PortfolioSolution barbell = SolvePortfolio(3, three, Strategy::MaxYield, {1000.0f, 5000.0f, 0.0f});
    ASSERT_EQ(barbell.status, 0);
    // 0.045 x 1000 x q10 + 0.01 x 100 x q1 beats 0.03 x 500 x 10 with q1 + q10 = 10 and 100 q1 + 1000 q10 =
    // 5000.
    EXPECT_NEAR(barbell.x(0), 50.0f / 9.0f, 1e-3f);
    EXPECT_NEAR(barbell.x(2), 40.0f / 9.0f, 1e-3f);
    EXPECT_NEAR(barbell.x(1), 0.0f, 1e-5f);
}

} // namespace
} // namespace yarrow
