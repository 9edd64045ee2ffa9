#include "AppEnvironment.h"

#include <QByteArray>
#include <cmath>
#include <limits>
#include <unistd.h>

namespace yarrow {

void PrepareWebEngineEnvironment() {
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking");
}

std::optional<int> FetchTimeoutMs(const QString& seconds) {
    bool ok = false;
    const double value = seconds.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    const double ms = std::round(value * 1000);
    if (ms < 1 || ms > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(ms);
}

} // namespace yarrow
