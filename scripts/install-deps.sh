#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the app need, only when missing.
# "install-deps.sh fuzz" installs what the fuzzing build needs instead (clang and its libFuzzer).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-webengine-dev qt6-svg-dev libquazip1-qt6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libquantlib0-dev libglpk-dev libeigen3-dev
  python3 python3-openpyxl xvfb xauth
  fonts-dejavu-core locales
  lintian appstream desktop-file-utils help2man
)
# "install-deps.sh a11y": the accessibility bus, its Python client and xdotool, for
# scripts/atspi-count.sh and driving the app by keys.
if [ "${1:-}" = a11y ]; then
  packages=(at-spi2-core python3-pyatspi xdotool xvfb xauth dbus)
fi
if [ "${1:-}" = fuzz ]; then
  packages=(cmake ninja-build clang-14 libclang-rt-14-dev libgtest-dev qt6-base-dev libquazip1-qt6-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
