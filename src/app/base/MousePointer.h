#pragma once

namespace yarrow {

// The screen-wide mouse pointer: one value, normal or hourglass (not a stack of overrides).
class MousePointer {
public:
    static void Hourglass();
    static void Normal();
    static bool IsHourglass();

    // Shows the normal pointer for its lifetime and then puts the hourglass back if it was on.
    class Suspend {
    public:
        Suspend();
        ~Suspend();
        Suspend(const Suspend&) = delete;
        Suspend& operator=(const Suspend&) = delete;

    private:
        bool wasHourglass_;
    };

    // The hourglass for the length of a computation, however it ends.
    class HourglassScope {
    public:
        HourglassScope() { Hourglass(); }
        ~HourglassScope() { Normal(); }
        HourglassScope(const HourglassScope&) = delete;
        HourglassScope& operator=(const HourglassScope&) = delete;
    };
};

} // namespace yarrow
