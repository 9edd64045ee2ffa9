#!/usr/bin/env bash
# Pictures of the main window at start, after "Get Data", in Large Display, with the bottom
# window reduced, of a day of the Treasury history chosen and loaded, of the Rate Shocks, chart,
# film, spread, map and Factors windows; then the main states again at display scale 2
# (scale2-*.png) and in a dark palette (dark-*.png):
# BUILD_DIR/screenshots/*.png. Uses a virtual X display when xvfb-run is there (the browser panes
# render as on a desktop), else Qt's offscreen platform.
set -euo pipefail
BUILD_DIR=${1:-build}
APP="$BUILD_DIR/bin/yarrow-screenshots"
OUT="$BUILD_DIR/screenshots"
if [ ! -x "$APP" ]; then
    echo "screenshots: $APP not found; build first" >&2
    exit 1
fi
mkdir -p "$OUT"
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu --disable-background-networking --no-sandbox}"
if command -v xvfb-run >/dev/null 2>&1; then
    unset QT_QPA_PLATFORM
    xvfb-run -a -s "-screen 0 1400x1000x24" "$APP" --screenshots "$OUT"
    QT_SCALE_FACTOR=2 YARROW_SCREENSHOT_VARIANT=scale2 \
        xvfb-run -a -s "-screen 0 2800x2000x24" "$APP" --screenshots "$OUT"
    YARROW_SCREENSHOT_VARIANT=dark xvfb-run -a -s "-screen 0 1400x1000x24" "$APP" --screenshots "$OUT"
else
    QT_QPA_PLATFORM=offscreen "$APP" --screenshots "$OUT"
    QT_SCALE_FACTOR=2 YARROW_SCREENSHOT_VARIANT=scale2 QT_QPA_PLATFORM=offscreen "$APP" --screenshots "$OUT"
    YARROW_SCREENSHOT_VARIANT=dark QT_QPA_PLATFORM=offscreen "$APP" --screenshots "$OUT"
fi
ls -l "$OUT"/*.png
