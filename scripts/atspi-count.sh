#!/usr/bin/env bash
# Starts yarrow under Xvfb with the accessibility bus on, reads its AT-SPI tree with
# atspi-count.py and prints how many interactive controls have a name. Needs
# "scripts/install-deps.sh a11y" and a built build/bin/yarrow.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=${YARROW_BIN:-$here/../build/bin/yarrow}
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QTWEBENGINE_DISABLE_SANDBOX=1
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  sleep 1
  "'"$bin"'" & app=$!
  sleep "${SETTLE_SECONDS:-8}"
  /usr/bin/python3 "'"$here"'/atspi-count.py" "QAL Yarrow" || true
  kill $app $launcher 2>/dev/null || true
'
