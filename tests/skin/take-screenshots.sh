#!/usr/bin/env bash
# Shows the skinned windows of the screenshot tests on a private Xvfb display and saves the
# screen as PNG files in <build dir>/screenshots:  tests/skin/take-screenshots.sh build/windows
# Run outside ctest: the capture starts a Unix program through Wine, and helper processes that
# Wine may start on the way can hold ctest's output pipe open long after the test has passed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?build dir}" && pwd)
export ZAVRA_WINE_DIR="$build/wine"
source "$root/tools/wine-env.sh"

xvfb_pid=""
cleanup() {
  HOME="$ZAVRA_WINE_HOME" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

zavra_start_xvfb 91 99

zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME" ZAVRA_BUILD_DIR="$build" ZAVRA_SKIN_SCREENSHOTS=1
"$WINE64" "$build/bin/skin_wintests.exe" --gtest_filter='SkinScreenshotTest.*'
ls -l "$build/screenshots"
