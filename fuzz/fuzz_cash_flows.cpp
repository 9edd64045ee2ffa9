// A cash-flow file ("time, amount" rows) valued off a small zero curve: a value, yield and risk
// that are numbers, or a run-time error.

#include "FuzzInput.h"
#include "core/analytics/AnalyticsGrid.h"
#include "core/analytics/CashFlowMeasures.h"
#include "core/data/QuoteRows.h"
#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"

#include <stdexcept>

using namespace yarrow;

namespace {

// Three bonds of the year-end 2010 curve, built once.
Session& Curve() {
    static Session* session = [] {
        auto* s = new Session;
        GridModel grid(5, 5, 1, 1);
        const char* rows[3][4] = {{"6TD", "0", "6/30/2011", "0.19"},
                                  {"2", "0.61", "12/31/2012", "100"},
                                  {"10", "3.30", "12/31/2020", "100"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                grid.SetTextMatrix(r + 2, c + 1, rows[r][c]);
        BuildBondTable(*s, grid, "12/31/2010");
        GridModel bonds;
        GridModel flows(100, 2, 1, 0);
        FillAnalyticsGrid(*s, bonds, flows);
        return s;
    }();
    return *session;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096)
        return 0;
    GridModel flows(100, 2, 1, 0);
    int n = 0;
    try {
        n = LoadCashFlowRows(fuzz::Text(data, size), flows);
    } catch (const std::invalid_argument&) {
        return 0;
    }
    if (n == 0 || n > 200)
        return 0;
    fuzz::Answer([&] {
        const CashFlowResult r = CalculateCashFlows(Curve(), flows, std::to_string(n));
        fuzz::RequireFinite(r.cfValue);
        fuzz::RequireFinite(r.cfYield);
        fuzz::RequireFinite(r.cfDollarDuration);
        fuzz::RequireFinite(r.cfDollarConvexity);
        (void)CashFlowCaptions(r);
    });
    return 0;
}
