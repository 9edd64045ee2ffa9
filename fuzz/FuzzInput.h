#pragma once

// Shared by the fuzz targets: the input as text, and the one kind of failure a parser may end in.

#include "core/seams/Dialogs.h"
#include "core/text/RuntimeError.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace yarrow::fuzz {

inline std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Runs body; the program's run-time errors are answers, anything else escapes as a finding.
template <typename Body> void Answer(Body body) {
    try {
        body();
    } catch (const RuntimeError&) {
    }
}

// A property that must hold: a failure aborts, which the fuzzer records as a crash.
inline void Require(bool holds) {
    if (!holds)
        std::abort();
}

inline void RequireFinite(double x) {
    Require(std::isfinite(x));
}

// Message boxes go nowhere; every question gets the same answer.
class QuietDialogs : public Dialogs {
public:
    explicit QuietDialogs(bool answer = false) : answer_(answer) {}
    void Message(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return answer_; }

private:
    bool answer_;
};

} // namespace yarrow::fuzz
