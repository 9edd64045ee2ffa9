#include "CurvesListing.h"

#include "core/curves/CurvesController.h"
#include "core/data/Session.h"
#include "core/curves/SessionZeroCurve.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/seams/PendingEvents.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"

namespace yarrow {

namespace {
constexpr const char* kRateFormat = "####0.0000";
} // namespace

int16_t CompFreqFromIndex(int index, int16_t current) {
    if (index < 0 || index >= static_cast<int>(std::size(kCompoundings)))
        return current;
    return kCompoundings[index].freq;
}

const char* CurveHeading(CurveType type) {
    return kCurves[static_cast<int>(type)].heading;
}

void FillCurvesListing(Session& session, GridModel& grid) {
    const int n = session.nBonds;
    grid.SetRows(n + 1);
    grid.SetCols(8);
    const char* headings[] = {"Bond", "Coupon", "Maturity", "Quote", "BEY", "Value", ""};
    for (int c = 1; c <= 7; ++c)
        grid.SetTextMatrix(0, c, headings[c - 1]);
    for (int i = 1; i <= n; ++i) {
        qalBond& bond = session.BondOrNew(i);
        grid.SetTextMatrix(i, 1, bond.GetName());
        grid.SetTextMatrix(i, 2, FormatPattern(CSng(double(bond.GetCoupon()) * 100.0), kRateFormat));
        grid.SetTextMatrix(i, 3, bond.GetMaturity());
        grid.SetTextMatrix(i, 4, FormatPattern(bond.GetQuote(), kRateFormat));
        // The price comes before the yield: the bootstrap reads the price it leaves behind.
        grid.SetTextMatrix(i, 6, FormatPattern(bond.GetPrice(), kRateFormat));
        grid.SetTextMatrix(i, 5, FormatPattern(CSng(double(bond.GetYTM()) * 100.0), kRateFormat));
    }
    DoEvents(session.events);
}

int16_t ComputeCurve(Session& session, GridModel& grid, CurveType type, int16_t compFreq) {
    const int n = session.nBonds;
    grid.SetTextMatrix(0, 7, CurveHeading(type));
    int16_t colour = kColourYield;
    switch (type) {
    case CurveType::YieldToMaturity:
        session.ZeroYields.Redim(n);
        session.ZeroTimes.Redim(n);
        for (int i = 1; i <= n; ++i) {
            qalBond& bond = session.BondOrNew(i);
            session.ZeroYields(i) = bond.GetYTM();
            session.ZeroTimes(i) = bond.GetYearsToMaturity();
            grid.SetTextMatrix(i, 7, FormatPattern(CSng(double(session.ZeroYields(i)) * 100.0), kRateFormat));
        }
        return colour;
    case CurveType::Zero:
        colour = kColourZero;
        BootstrapZeroCurve(session, compFreq);
        break;
    case CurveType::Forward:
        colour = kColourForward;
        BootstrapZeroCurve(session, compFreq);
        Forwards(session, compFreq);
        break;
    }
    for (int i = 1; i <= n; ++i)
        grid.SetTextMatrix(i, 7, FormatPattern(CSng(double(session.ZeroYields(i)) * 100.0), kRateFormat));
    return colour;
}

} // namespace yarrow
