#include "core/curves/CurvesController.h"
#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/draw/DisplayList.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"

#include <gtest/gtest.h>

namespace yarrow {
namespace {

TEST(CurvesController, NamesLookUpTheirTablesAndNothingElse) {
    EXPECT_EQ(CompoundingFromName("continuous"), int16_t(-1));
    EXPECT_EQ(CompoundingFromName("semi-annual"), int16_t(2));
    EXPECT_EQ(CompoundingFromName("Semi-Annual"), std::nullopt);
    EXPECT_EQ(CurveFromName("forward"), CurveType::Forward);
    EXPECT_EQ(CurveFromName("ns"), std::nullopt);
    EXPECT_EQ(StepIndexFromName("weekly"), 1);
    EXPECT_EQ(StepIndexFromName(""), std::nullopt);
    // The curve table is indexed by the curve type.
    for (const CurveEntry& e : kCurves)
        EXPECT_EQ(kCurves[static_cast<int>(e.type)].name, e.name);
    EXPECT_EQ(NameList(kSteps), "daily, weekly or monthly");
    EXPECT_EQ(NameList(kCurves, ", "), "ytm, zero, forward");
}

TEST(CurvesController, BoxesAreReadStrictlyAndSlopesLeniently) {
    const struct {
        const char* text;
        bool numeric;
        float slope;
    } cases[] = {{".068", true, 0.068f}, {"-.04", true, -0.04f}, {"0.5x", false, 0.5f}, {"", false, 0.0f},
                 {"abc", false, 0.0f}};
    for (const auto& c : cases) {
        if (c.numeric)
            EXPECT_FLOAT_EQ(StrictSingle(c.text), c.slope) << c.text;
        else
            EXPECT_THROW(StrictSingle(c.text), RuntimeError) << c.text;
        EXPECT_FLOAT_EQ(EndSlope(c.text), c.slope) << c.text;
    }
    Session session;
    CurvesController curves(session);
    const NelsonSiegelParameters p = curves.NelsonSiegel();
    EXPECT_FLOAT_EQ(p.level, 0.068f);
    EXPECT_FLOAT_EQ(p.slope, -0.04f);
    EXPECT_FLOAT_EQ(p.curve, 0.005f);
    EXPECT_THROW(curves.Plot(), std::logic_error);
}

TEST(CurvesController, KeptColoursSkipTheFaintOnesAndWrap) {
    const std::pair<int16_t, int16_t> cases[] = {{0, 1}, {6, 8}, {9, 12}, {13, 0}, {15, 0}};
    for (const auto& [from, next] : cases)
        EXPECT_EQ(NextKeepColour(from), next) << from;
    EXPECT_TRUE(IsCurveLayer("zero"));
    EXPECT_FALSE(IsCurveLayer("spline"));
}

TEST(CurvesController, FitShowsTheBoxTextsAndDrawsWhatTheyRead) {
    Session session;
    GridModel data(5, 6, 1, 1);
    const char* rows[3][4] = {{"2", "1.0", "12/31/2012", "100"},
                              {"5", "2.5", "12/31/2015", "100"},
                              {"10", "3.5", "12/31/2020", "100"}};
    for (int i = 0; i < 3; ++i)
        for (int c = 0; c < 4; ++c)
            data.SetTextMatrix(i + 2, c + 1, rows[i][c]);
    BuildBondTable(session, data, "12/31/2010");
    CurvesController curves(session);
    DisplayList picture;
    curves.AttachPlot(picture,
                      {&picture.BoundSink(0), &picture.BoundSink(1), &picture.BoundSink(2), &picture.BoundSink(3)});
    GridModel listing;
    FillCurvesListing(session, listing);
    curves.chosen = CurveType::Zero;
    curves.PlotChosen(listing);
    const NelsonSiegelParameters exact = FitNelsonSiegel(session);
    const NelsonSiegelParameters shown = curves.Fit();
    EXPECT_EQ(curves.nelsonSiegelTexts[0], FormatNelsonSiegelParameter(exact.level));
    // What is drawn is the four-decimal text, not the exact fit.
    EXPECT_FLOAT_EQ(shown.slope, StrictSingle(curves.nelsonSiegelTexts[1]));
    EXPECT_EQ(curves.NelsonSiegel().curve, shown.curve);
    curves.DrawSpline();
    EXPECT_GT(curves.Plot().NumInterp(), 0);
}

} // namespace
} // namespace yarrow
