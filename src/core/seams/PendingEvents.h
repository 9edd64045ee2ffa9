#pragma once

namespace yarrow {

// Long loops call Process() so the window stays alive. The app installs a throttled event pump;
// the CLI and tests leave it empty (or count calls).
class PendingEvents {
public:
    virtual ~PendingEvents() = default;
    virtual void Process() = 0;
};

// Calls the hook when there is one.
inline void DoEvents(PendingEvents* hook) {
    if (hook)
        hook->Process();
}

} // namespace yarrow
