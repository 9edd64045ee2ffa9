#include "core/curves/SessionZeroCurve.h"

#include "core/data/Session.h"

namespace yarrow {

void BootstrapZeroCurve(Session& session, int16_t CompFreq) {
    session.ZeroYields.Redim(session.nBonds);
    session.ZeroTimes.Redim(session.nBonds);
    int16_t nDone = 0;
    if (session.nBonds < 1)
        return;
    for (int k = 1; k <= session.nBonds; ++k) {
        session.BondOrNew(k).BootStrapNewton(session.ZeroYields, session.ZeroTimes, nDone, CompFreq);
        if (nDone < k)
            break;
    }
}

double ZeroCurvePV(const BondContext* session, float cf, float t) {
    return session ? session->ZeroCurvePV(cf, t) : cf;
}

void Forwards(Session& session, int16_t CompFreq) {
    Forwards(session.ZeroYields, session.ZeroTimes, session.nBonds, CompFreq);
}

} // namespace yarrow
