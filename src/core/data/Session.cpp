#include "core/data/Session.h"

#include "core/text/RuntimeError.h"

namespace yarrow {

Session::Session() {
    Bonds.resize(1);
}

Session::~Session() = default;

qalBond& Session::Bond(int i) const {
    if (i < 1 || i > nBonds || static_cast<size_t>(i) >= Bonds.size() || !Bonds[static_cast<size_t>(i)])
        throw RuntimeError::SubscriptOutOfRange();
    return *Bonds[static_cast<size_t>(i)];
}

qalBond& Session::BondOrNew(int i) {
    if (i < 1 || i > nBonds)
        throw RuntimeError::SubscriptOutOfRange();
    if (Bonds.size() < static_cast<size_t>(nBonds) + 1)
        Bonds.resize(static_cast<size_t>(nBonds) + 1);
    auto& slot = Bonds[static_cast<size_t>(i)];
    if (!slot)
        slot = std::make_unique<qalBond>(this);
    return *slot;
}

void Session::ClearBonds() {
    Bonds.clear();
    Bonds.resize(1);
    nBonds = 0;
}

} // namespace yarrow
