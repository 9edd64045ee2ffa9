#!/usr/bin/env bash
# Installs the build into a scratch prefix, moves the prefix, and runs the installed yarrow-cli
# with the source tree hidden: it must find its bundled series beside itself and list the same
# bonds as the build tree's binary.
set -euo pipefail
build=$1
source=$2
prefix_data=$3 # the data folder of the prefix the build was configured for
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/yarrow-cli share/yarrow/FRBData/H15_TCMNOM_M3_2010.txt share/yarrow/site/index.html; do
  [ -e "$work/prefix/$f" ] || fail "$f not installed"
done
if [ -x "$build/bin/yarrow" ]; then
  for f in bin/yarrow share/applications/org.qal_yarrow.yarrow.desktop share/icons/hicolor/scalable/apps/yarrow.svg; do
    [ -e "$work/prefix/$f" ] || fail "$f not installed"
  done
fi

mv "$work/prefix" "$work/moved"
unset YARROW_RESOURCES YARROW_FRB_DATA_URL YARROW_SITE_ROOT
expected=$(cd / && "$build/bin/yarrow-cli" --date-order mdy bonds)
[ -n "$expected" ] || fail "the build tree's yarrow-cli listed nothing"

run_installed() {
  # Where this machine allows a private mount namespace, an empty folder covers the source tree.
  if unshare --mount true 2>/dev/null; then
    unshare --mount sh -c 'mount -t tmpfs none "$1" && shift && cd / && exec "$@"' sh "$source" "$@"
  else
    (cd / && "$@")
  fi
}
actual=$(run_installed "$work/moved/bin/yarrow-cli" --date-order mdy bonds) || fail "installed yarrow-cli bonds failed"
[ "$actual" = "$expected" ] || fail "installed yarrow-cli bonds differs from the build tree's"

# Without its share/ folder the installed binary reports the missing files: it does not fall back
# to the source tree.
rm -rf "$work/moved/share/yarrow"
if [ ! -d "$prefix_data/FRBData" ]; then
  if out=$(run_installed "$work/moved/bin/yarrow-cli" bonds 2>&1); then
    fail "installed yarrow-cli ran without its resources: $out"
  fi
  case $out in
    *"cannot read series file '$prefix_data/FRBData/"*) ;;
    *) fail "unexpected message without resources: $out" ;;
  esac
fi
echo "installed yarrow-cli lists $(printf '%s\n' "$actual" | wc -l) lines"
