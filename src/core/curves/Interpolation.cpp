#include "Interpolation.h"

#include "core/numeric/LinearInterpolate.h"
#include "core/data/Session.h"
#include "core/numeric/qalSpline.h"
#include "core/seams/PendingEvents.h"
#include "core/text/NumberText.h"

namespace yarrow {

float InterpolationStep(int index) {
    switch (index) {
    case 0:
        return CSng(1.0 / 365.0);
    case 1:
        return CSng(1.0 / 52.0);
    default:
        return CSng(1.0 / 12.0);
    }
}

int16_t InterpolationCount(const Session& session, float step) {
    return CInt(Divide(session.ZeroTimes(session.nBonds), step));
}

static void SizeGrid(InterpolationGrid& grid, int16_t count, float step) {
    grid.NumInterp = count;
    grid.InterpX.Redim(count);
    grid.InterpY.Redim(count);
    for (int i = 1; i <= count; ++i)
        grid.InterpX(i) = CSng(double(i) * step);
}

void SplineInterpolation(Session& session, float step, float leftSlope, float rightSlope,
                         InterpolationGrid& grid) {
    const int16_t n = session.nBonds;
    qalSpline s;
    s.SetN(n);
    for (int16_t i = 1; i <= n; ++i)
        s.SetXY(i, session.ZeroTimes(i), session.ZeroYields(i));
    s.SetDerivatives(leftSlope, rightSlope);
    s.spline();
    SizeGrid(grid, InterpolationCount(session, step), step);
    for (int i = 1; i <= grid.NumInterp; ++i) {
        float y = 0.0f;
        s.Splint(grid.InterpX(i), y);
        grid.InterpY(i) = y;
    }
    DoEvents(session.events);
}

void LinearInterpolation(Session& session, float step, InterpolationGrid& grid) {
    SizeGrid(grid, InterpolationCount(session, step), step);
    for (int i = 1; i <= grid.NumInterp; ++i)
        grid.InterpY(i) = LinearInterpolate(session.ZeroYields, session.ZeroTimes, session.nBonds,
                                            grid.InterpX(i), session.events);
}

std::string InterpolationCopyText(const InterpolationGrid& grid) {
    std::string s;
    for (int i = 1; i <= grid.NumInterp; ++i) {
        s += FormatPattern(grid.InterpX(i), "####0.0000");
        s += '\t';
        s += FormatPattern(grid.InterpY(i), "####0.0000");
        s += '\r';
    }
    return s;
}

} // namespace yarrow
