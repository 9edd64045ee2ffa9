#pragma once

#include "core/text/RuntimeError.h"

namespace yarrow {

// One statement of a handler whose run-time errors are passed over: a failed step leaves what it
// would have set as it was, and the next statement runs. Error is what is passed over (the
// window load of the calculators passes over any exception).
template <typename Error = RuntimeError, typename Statement> void IgnoreErrors(Statement&& statement) {
    try {
        statement();
    } catch (const Error&) {
    }
}

} // namespace yarrow
