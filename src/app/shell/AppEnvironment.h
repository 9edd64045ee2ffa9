#pragma once

#include <QString>
#include <optional>

namespace yarrow {

// Sets what the embedded browser needs before the application object exists: its sandbox cannot
// start as root, so it is switched off there; GPU use is off because the app also runs under
// virtual displays. Values already set in the environment are kept.
void PrepareWebEngineEnvironment();

// The --fetch-timeout value in milliseconds: a positive number of seconds whose milliseconds fit
// the timer (at most 2147483 s, about 24 days). Anything else gives no value.
std::optional<int> FetchTimeoutMs(const QString& seconds);

} // namespace yarrow
