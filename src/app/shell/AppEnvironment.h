#pragma once

namespace yarrow {

// Sets what the embedded browser needs before the application object exists: its sandbox cannot
// start as root, so it is switched off there; GPU use is off because the app also runs under
// virtual displays. Values already set in the environment are kept.
void PrepareWebEngineEnvironment();

} // namespace yarrow
