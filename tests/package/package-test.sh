#!/usr/bin/env bash
# Builds the Debian package into a scratch folder, checks what it holds and the version it carries,
# and runs Debian's own checkers on it when they are installed (scripts/install-deps.sh installs
# them): lintian, appstreamcli and desktop-file-validate report no error and no warning.
set -euo pipefail
cpack=$1
build=$2
source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/out/yarrow_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "no yarrow_*.deb in $work/out"
root=$work/root
dpkg-deb -x "$deb" "$root"

id=org.qal_yarrow.yarrow
for f in usr/bin/yarrow usr/bin/yarrow-cli usr/share/doc/yarrow/copyright usr/share/doc/yarrow/changelog.gz \
    usr/share/man/man1/yarrow.1.gz usr/share/man/man1/yarrow-cli.1.gz \
    usr/share/metainfo/$id.metainfo.xml usr/share/applications/$id.desktop \
    usr/share/bash-completion/completions/yarrow-cli usr/share/icons/hicolor/scalable/apps/yarrow.svg; do
    [ -s "$root/$f" ] || fail "$f not in the package"
done
for size in 48 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/yarrow.png
    [ -s "$png" ] || fail "no $size px icon"
    # The PNG header holds width and height as big-endian 32-bit numbers at bytes 16 and 20.
    read -r -a b < <(od -An -tu1 -j16 -N8 "$png")
    w=$(((b[0] << 24) + (b[1] << 16) + (b[2] << 8) + b[3]))
    h=$(((b[4] << 24) + (b[5] << 16) + (b[6] << 8) + b[7]))
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "the $size px icon is ${w}x$h"
done

# One version: the package's is the one both programs print.
version=$(dpkg-deb -f "$deb" Version)
[ "$("$build/bin/yarrow-cli" --version)" = "yarrow-cli $version" ] || fail "yarrow-cli --version is not $version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$build/bin/yarrow" --version)" = "yarrow $version" ] ||
    fail "yarrow --version (no display) is not $version"
zcat "$root/usr/share/man/man1/yarrow-cli.1.gz" | grep -q "yarrow-cli $version" || fail "the manual page misses $version"

# The metainfo's screenshots are pictures the screenshot tour takes.
for shot in $(grep -o 'screenshots/[a-z0-9-]*\.png' "$root/usr/share/metainfo/$id.metainfo.xml" | sed 's#.*/##'); do
    grep -q "\"$shot\"" "$source/src/tools/ScreenshotTour.cpp" || fail "the screenshot tour takes no $shot"
done

checked=0
if command -v lintian >/dev/null; then
    out=$(lintian "$deb" 2>&1 | grep -v "running with root privileges" || true)
    echo "lintian: ${out:-clean}"
    ! grep -q '^[EW]:' <<<"$out" || fail "lintian reports errors or warnings"
    checked=$((checked + 1))
fi
if command -v appstreamcli >/dev/null; then
    out=$(appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
        fail "appstreamcli: $out"
    echo "appstreamcli: $out"
    ! grep -q '^[EWIP]:' <<<"$out" || fail "appstreamcli reports issues"
    checked=$((checked + 1))
fi
if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
    checked=$((checked + 1))
fi
echo "package $(basename "$deb") checked by $checked of 3 checkers"
