#include "CashFlowMeasures.h"

#include "core/bond/qalBond.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/seams/PendingEvents.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"

#include <cmath>

namespace yarrow {

int32_t CashFlowGridRows(const std::string& countText) {
    return CLng(std::fabs(Val(countText)) + 1.0);
}

CashFlowResult CalculateCashFlows(Session& session, const GridModel& cashFlowGrid,
                                  const std::string& countText) {
    CashFlowResult r;
    CalculateCashFlows(session, cashFlowGrid, countText, r);
    return r;
}

void CalculateCashFlows(Session& session, const GridModel& cashFlowGrid, const std::string& countText,
                        CashFlowResult& result) {
    // Computed aside and kept whole: a failure part-way would leave two streams' numbers side by
    // side, and the portfolio targets taken from them would mix the two.
    CashFlowResult r;
    const int16_t n = CInt(Val(countText));
    Array1<float> times(n), amounts(n);
    for (int i = 1; i <= n; ++i) {
        times(i) = CSng(Val(cashFlowGrid.TextMatrix(i, 0)));
        amounts(i) = CSng(Val(cashFlowGrid.TextMatrix(i, 1)));
    }
    qalBond stream(&session);
    stream.SetCashFlows(times, amounts, n);
    r.cfValue = stream.GetPrice();
    r.cfYield = stream.GetYTM();
    r.cfDollarDuration = stream.GetDollarDuration();
    r.cfDollarConvexity = stream.GetDollarConvexity();
    result = r;
    DoEvents(session.events);
}

std::array<std::string, 4> CashFlowCaptions(const CashFlowResult& r) {
    return {"Value: " + FormatPattern(r.cfValue, "####0.0000"),
            "Yield: " + FormatPattern(CSng(double(r.cfYield) * 100.0), "####0.0000"),
            "$Duration: " + FormatPattern(r.cfDollarDuration, "####0.0000"),
            "$Convexity: " + FormatPattern(r.cfDollarConvexity, "####0.0000")};
}

} // namespace yarrow
