#pragma once

#include "core/seams/PendingEvents.h"

#include <QElapsedTimer>
#include <functional>

namespace yarrow {

// Processes pending window events at most once per interval (a few times per frame), so a loop
// that asks on every step costs next to nothing. A call from inside the pump does nothing.
class ThrottledEvents : public PendingEvents {
public:
    // The pump defaults to QCoreApplication::processEvents.
    explicit ThrottledEvents(int intervalMs = 4, std::function<void()> pump = {});
    void Process() override;
    // Processes now, whatever the interval (used where the user must see a change at once).
    void ProcessNow();

private:
    int intervalMs_;
    std::function<void()> pump_;
    QElapsedTimer sinceLast_;
    bool inside_ = false;
};

} // namespace yarrow
