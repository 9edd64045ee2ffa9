#!/usr/bin/env bash
# Times the application: launch to window shown, and one "Get Data" on the bundled H.15 snapshot
# (ten files through the lower browser pane, then the bond table). Runs the app RUNS times
# (default 5) with --timing-run and prints each run and the medians. Goal: under 2 s each.
#   bench/app/startup_getdata.sh BUILD_DIR [RUNS]
set -euo pipefail
BUILD_DIR=${1:-build}
RUNS=${2:-5}
APP="$BUILD_DIR/bin/yarrow"
[ -x "$APP" ] || { echo "startup_getdata: $APP not found; build first" >&2; exit 1; }
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu --disable-background-networking --no-sandbox}"

shown=()
getdata=()
for i in $(seq 1 "$RUNS"); do
    start=$(date +%s%3N)
    out=$("$APP" --timing-run 2>/dev/null)
    shown_at=$(sed -n 's/^shown_epoch_ms=//p' <<<"$out")
    gd=$(sed -n 's/^get_data_ms=//p' <<<"$out")
    bonds=$(sed -n 's/^bonds=//p' <<<"$out")
    [ -n "$shown_at" ] && [ -n "$gd" ] || { echo "run $i: no timing output" >&2; exit 1; }
    [ "$bonds" = 10 ] || { echo "run $i: $bonds bonds, expected 10" >&2; exit 1; }
    shown+=($((shown_at - start)))
    getdata+=("$gd")
    echo "run $i: launch-to-window-shown ${shown[-1]} ms, Get Data ${gd} ms (${bonds} bonds)"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "median launch-to-window-shown: $(median "${shown[@]}") ms"
echo "median Get Data (bundled snapshot): $(median "${getdata[@]}") ms"
