// Quote rows as a file or a paste gives them, through the bond table to the curve listing and a
// zero curve: every number that comes out is a number, or a run-time error says why not.
// Input: the first byte picks TAB or comma separation, the date order and the bill answer.

#include "FuzzInput.h"
#include "core/curves/CurvesListing.h"
#include "core/data/QuoteRows.h"
#include "core/data/Session.h"
#include "core/data/TableWarnings.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"

using namespace yarrow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 2048)
        return 0;
    const uint8_t flags = data[0];
    const std::string text = fuzz::Text(data + 1, size - 1);
    Session session;
    session.dateOrder = flags & 2 ? DateOrder::DayFirst : DateOrder::MonthFirst;
    fuzz::QuietDialogs dialogs(flags & 4);
    session.dialogs = &dialogs;
    GridModel grid(2, 2, 1, 1);
    LoadQuoteRows(text, flags & 1, grid);
    if (grid.Rows() > 40)
        return 0; // a long table only repeats the short one's work
    fuzz::Answer([&] {
        BuildBondTable(session, grid, "12/31/2010");
        (void)BondTableWarnings(session, grid);
        (void)CurveWarnings(session);
        GridModel listing;
        FillCurvesListing(session, listing);
        for (int i = 1; i <= session.nBonds; ++i) {
            fuzz::RequireFinite(session.Bond(i).priceValue());
            fuzz::RequireFinite(session.Bond(i).yieldValue());
        }
        ComputeCurve(session, listing, CurveType::Zero, flags & 8 ? 1 : -1);
        for (int i = 0; i <= session.ZeroYields.UBound(); ++i)
            fuzz::RequireFinite(session.ZeroYields(i));
    });
    return 0;
}
