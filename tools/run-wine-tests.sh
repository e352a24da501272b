#!/usr/bin/env bash
# Runs the Windows build's tests under Wine: tools/run-wine-tests.sh <build dir> [ctest args]
# Private prefix, HOME, locales and Xvfb display; everything started here is stopped on exit.
set -euo pipefail
trap 'echo "run-wine-tests.sh: line $LINENO: \"$BASH_COMMAND\" failed (exit $?)" >&2' ERR
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build dir}" && pwd); shift
export ZAVRA_WINE_DIR="$build/wine"
source "$root/tools/wine-env.sh"
mkdir -p "$ZAVRA_WINE_DIR"

# Locales the tests switch between (this machine may only have C.UTF-8).
if [ ! -d "$ZAVRA_WINE_DIR/locale/de_DE.UTF-8" ]; then
  mkdir -p "$ZAVRA_WINE_DIR/locale"
  for l in en_US de_DE en_GB; do localedef -i $l -f UTF-8 "$ZAVRA_WINE_DIR/locale/$l.UTF-8" 2>/dev/null || true; done
fi
export LOCPATH="$ZAVRA_WINE_DIR/locale"

xvfb_pid=""; keep_pid=""
cleanup() {
  [ -n "$keep_pid" ] && kill "$keep_pid" 2>/dev/null || true
  HOME="$ZAVRA_WINE_HOME" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

zavra_start_xvfb 40 90

zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME"
wineserver -p || true
"$WINE64" "$build/tools/keepalive.exe" </dev/null >/dev/null 2>&1 &
keep_pid=$!
# Wine starts its service processes with the first program that needs them; start them here,
# away from ctest's output pipes, or a test could be kept waiting for their end.
"$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
rc=0; "$WINE64" "$build/tools/trivial.exe" </dev/null >"$ZAVRA_WINE_DIR/trivial.log" 2>&1 || rc=$?
if [ $rc -ne 0 ]; then
  echo "Wine cannot run a trivial program of this build (exit $rc); $("$WINE64" --version 2>&1):" >&2
  cat "$ZAVRA_WINE_DIR/trivial.log" >&2
  exit 1
fi
"$WINE64" "$build/tools/trivial_gui.exe" </dev/null >/dev/null 2>&1 || true
export ZAVRA_BUILD_DIR="$build"
cd "$build"
ctest --output-on-failure --timeout 300 "$@"
