// The body of an H.15 series file, as a browser shows it or as the file: any body ends in a
// written row or a run-time error. Input: the first byte picks the series, the rest is the body.

#include "FuzzInput.h"
#include "core/data/FrbSeries.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"

using namespace yarrow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int series = data[0] % kFrbSeriesCount;
    const std::string body = fuzz::Text(data + 1, size - 1);
    for (const DateOrder order : {DateOrder::MonthFirst, DateOrder::DayFirst}) {
        Session session;
        session.dateOrder = order;
        GridModel grid;
        BeginFrbYieldCurve(grid, session);
        fuzz::Answer([&] { ReadFrbSeriesBody(series, body, grid, session); });
        fuzz::Require(grid.Rows() == 12 && grid.Cols() == 5);
    }
    return 0;
}
