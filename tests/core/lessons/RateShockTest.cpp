#include "core/lessons/RateShock.h"

#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/lessons/ShockRepricing.h"

#include <cmath>
#include <gtest/gtest.h>

namespace yarrow {
namespace {

TEST(RateShock, PresetsAndTheShiftBetweenKnots) {
    struct Case {
        ShockPreset preset;
        ShockKnots knots;
        double at1, at3, at12; // s(1), s(3), s(12)
    } cases[] = {
        {ShockPreset::Parallel, {{0, 100}}, 100, 100, 100},
        {ShockPreset::Steepener, {{2, -50}, {10, 50}}, -50, -37.5, 50},
        {ShockPreset::Flattener, {{2, 50}, {10, -50}}, 50, 37.5, -50},
        {ShockPreset::Butterfly, {{2, 50}, {5, -50}, {10, 50}}, 50, 50 - 100.0 / 3, 50},
    };
    for (const Case& c : cases) {
        const ShockKnots k = PresetShock(c.preset, 100);
        EXPECT_EQ(k, c.knots) << static_cast<int>(c.preset);
        EXPECT_DOUBLE_EQ(ShockAt(k, 1), c.at1);
        EXPECT_DOUBLE_EQ(ShockAt(k, 3), c.at3);
        EXPECT_DOUBLE_EQ(ShockAt(k, 12), c.at12);
    }
    EXPECT_EQ(PresetShock(ShockPreset::Steepener, -30), (ShockKnots{{2, 15}, {10, -15}}));
}

TEST(RateShock, KnotTextReadsOrRefuses) {
    struct Good {
        const char* text;
        ShockKnots knots;
    } good[] = {
        {"0:25", {{0, 25}}},
        {"10:50, 2:-50", {{2, -50}, {10, 50}}},
        {" 0.5 : -12.5 ,30:1e2", {{0.5, -12.5}, {30, 100}}},
        {"5:5000,7:-5000", {{5, 5000}, {7, -5000}}},
    };
    for (const Good& g : good) {
        EXPECT_EQ(ParseShockKnots(g.text), g.knots) << g.text;
        EXPECT_EQ(ParseShockKnots(ShockKnotsText(g.knots)), g.knots) << g.text;
    }
    for (const char* text : {"", "2", "2:", ":5", "2:5,", "2;5", "2:5:6", "two:5", "2:inf", "nan:1", "0x2:5"})
        EXPECT_THROW(ParseShockKnots(text), ShockSyntaxError) << text;
    for (const char* text : {"2:5,2:6", "2:5, 2.0:6", "1:5000.01", "1:-6000", "-1:5"})
        EXPECT_THROW(ParseShockKnots(text), ShockInputError) << text;
}

// The bundled snapshot's table (quote date 12/31/2010): two bills, then par bonds to 30 years.
struct BundledTable {
    Session session;
    std::vector<CurveBond> bonds;
    BundledTable() {
        const char* rows[][4] = {
            {"3TD", "0", "03/31/2011", "0.12"},  {"6TD", "0", "06/30/2011", "0.19"},
            {"1", "0.29", "12/31/2011", "100"},  {"2", "0.61", "12/31/2012", "100"},
            {"3", "1.02", "12/31/2013", "100"},  {"5", "2.01", "12/31/2015", "100"},
            {"7", "2.71", "12/31/2017", "100"},  {"10", "3.30", "12/31/2020", "100"},
            {"20", "4.13", "12/31/2030", "100"}, {"30", "4.34", "12/31/2040", "100"},
        };
        GridModel data(12, 6, 1, 1);
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 4; ++c)
                data.SetTextMatrix(r + 2, c + 1, rows[r][c]);
        BuildBondTable(session, data, "12/31/2010");
        bonds = PrepareTable(TableFlows(session), ShockBaseCurve(session));
    }
};

TEST(ShockRepricing, BaseCurveRepricesTheTableAndLeavesTheSessionCurve) {
    BundledTable t;
    EXPECT_EQ(t.session.ZeroYields.UBound(), 0); // no bootstrap of the session's own curve
    ASSERT_EQ(t.bonds.size(), 10u);
    for (int i = 1; i <= 10; ++i) {
        const CurveBond& b = t.bonds[static_cast<size_t>(i - 1)];
        EXPECT_NEAR(b.value, t.session.Bond(i).priceValue(), 2e-4 * b.value) << b.flows.name;
        EXPECT_NEAR(FlowsValueAtYield(b.flows, b.y0), b.value, 1e-12 * b.value) << b.flows.name;
    }
}

TEST(ShockRepricing, EstimatesAgainstTheExactChange) {
    BundledTable t;
    const ShockKnots up1 = PresetShock(ShockPreset::Parallel, 1);
    for (const CurveBond& b : t.bonds) {
        const ShockRow r = ShockBond(b, up1);
        ASSERT_LT(r.change, 0) << r.name;
        // The 30-year's error is C dy / 2D = 0.112 %: 0.11 % to two figures.
        const double limitD = r.name == "30" ? 0.00115 : 0.002;
        EXPECT_LT(std::fabs(r.durationError / r.change), limitD) << r.name;
        EXPECT_LT(std::fabs(r.convexityError / r.change), 1e-5) << r.name;
        // Third order: halving the shift shrinks the duration-and-convexity error about eightfold.
        const double e100 = ShockBond(b, PresetShock(ShockPreset::Parallel, 100)).convexityError;
        const double e50 = ShockBond(b, PresetShock(ShockPreset::Parallel, 50)).convexityError;
        EXPECT_NEAR(e100 / e50, 8, 1.0) << r.name;
    }
}

TEST(ShockRepricing, SingleFlowDollarDurationIsTimeTimesValue) {
    ZeroCurveKnots curve{{0.5, 0.5, 2, 10}, {0.01, 0.01, 0.02, 0.04}};
    struct Case {
        double t, cf, z;
    } cases[] = {{0.25, 100, 0.01}, {1, 50, 0.01 + 0.01 / 3}, {7, 1000, 0.0325}, {25, 100, 0.04}};
    for (const Case& c : cases) {
        ASSERT_DOUBLE_EQ(ZeroRateAt(curve, c.t), c.z) << c.t;
        const CurveBond b = PrepareBond({"S", c.t, {c.t}, {c.cf}}, curve);
        EXPECT_DOUBLE_EQ(b.y0, c.z) << c.t;
        EXPECT_DOUBLE_EQ(b.dollarDuration, c.t * b.value) << c.t;
        EXPECT_DOUBLE_EQ(b.dollarConvexity, c.t * c.t * b.value) << c.t;
        const ShockRow r = ShockBond(b, {{0, 40}});
        EXPECT_NEAR(r.yieldChangeBp, 40, 1e-9) << c.t;
    }
}

TEST(ShockRepricing, PortfolioRowIsTheQuantityWeightedSum) {
    BundledTable t;
    const std::vector<ShockRow> rows = ShockTable(t.bonds, PresetShock(ShockPreset::Steepener, 100));
    for (const char* text : {"Bond\tQuantity\n3TD\t0.7141\n30\t0.2861\n6TD\t0.0000\n",
                             "Bond,Quantity\r\n3TD,0.7141\r\n\r\n30,0.2861\r\n"}) {
        const ShockRow p = PortfolioRow(rows, QuantitiesForRows(rows, ParseHoldings(text)));
        const ShockRow &a = rows[0], &b = rows[9];
        EXPECT_EQ(p.name, "Portfolio");
        EXPECT_DOUBLE_EQ(p.value, 0.7141 * a.value + 0.2861 * b.value);
        EXPECT_DOUBLE_EQ(p.shocked, 0.7141 * a.shocked + 0.2861 * b.shocked);
        EXPECT_DOUBLE_EQ(p.change, 0.7141 * a.change + 0.2861 * b.change);
        EXPECT_DOUBLE_EQ(p.durationEstimate, 0.7141 * a.durationEstimate + 0.2861 * b.durationEstimate);
        EXPECT_DOUBLE_EQ(p.convexityEstimate, 0.7141 * a.convexityEstimate + 0.2861 * b.convexityEstimate);
        EXPECT_DOUBLE_EQ(p.convexityError, 0.7141 * a.convexityError + 0.2861 * b.convexityError);
        const std::vector<std::string> cells = ShockTableCells(p, true);
        EXPECT_EQ(cells[1] + cells[2] + cells[6], ""); // no years, shift or yield change
    }
    EXPECT_THROW(QuantitiesForRows(rows, ParseHoldings("3TD\t1\n40\t2\n")), ShockInputError);
    for (const char* bad : {"3TD\n", "3TD\tmany\n", "3TD\t1\t2\n"})
        EXPECT_THROW(ParseHoldings(bad), ShockInputError) << bad;
}

} // namespace
} // namespace yarrow
