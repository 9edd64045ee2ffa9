#include "widgets/ThrottledEvents.h"

#include <QCoreApplication>

namespace yarrow {

ThrottledEvents::ThrottledEvents(int intervalMs, std::function<void()> pump)
    : intervalMs_(intervalMs), pump_(std::move(pump)) {
    if (!pump_)
        pump_ = [] { QCoreApplication::processEvents(); };
}

void ThrottledEvents::Process() {
    if (sinceLast_.isValid() && sinceLast_.elapsed() < intervalMs_)
        return;
    ProcessNow();
}

void ThrottledEvents::ProcessNow() {
    if (inside_)
        return;
    inside_ = true;
    sinceLast_.start();
    pump_();
    inside_ = false;
}

} // namespace yarrow
