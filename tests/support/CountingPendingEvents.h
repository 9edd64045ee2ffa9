#pragma once

#include "core/seams/PendingEvents.h"

#include <functional>
#include <gtest/gtest.h>

namespace yarrow {

// Counts the calls of a long loop to the event hook. onProcess, when set, runs on every call
// with the call's number (1, 2, ...): the place to play the user, e.g. press Stop on the third.
// A wait that never ends would hang the test, so beyond maxCalls the test fails and Process
// throws RunawayLoop (not a std::exception, so no handler under test swallows it).
class CountingPendingEvents : public PendingEvents {
public:
    struct RunawayLoop {};

    void Process() override {
        ++calls;
        if (maxCalls > 0 && calls > maxCalls) {
            ADD_FAILURE() << "event hook called more than " << maxCalls << " times";
            throw RunawayLoop{};
        }
        if (onProcess)
            onProcess(calls);
    }

    int calls = 0;
    int maxCalls = 1'000'000; // 0: no limit
    std::function<void(int call)> onProcess;
};

} // namespace yarrow
