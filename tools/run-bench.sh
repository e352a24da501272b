#!/usr/bin/env bash
# Builds optimised native and Windows builds and runs every benchmark, printing their figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
ZAVRA_CMAKE_ARGS="-DZAVRA_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release" "$root/tools/build.sh" native "$root/build/bench-native"
"$root/tools/build.sh" windows "$root/build/windows"
for b in "$root"/build/bench-native/bench/*; do
  [ -x "$b" ] || continue
  echo "== native $(basename "$b")"; "$b"
done
export ZAVRA_WINE_DIR="$root/build/windows/wine"
source "$root/tools/wine-env.sh"
zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME"
Xvfb :89 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:89
wineserver -p || true
for b in "$root"/build/windows/bench/*.exe; do
  [ -f "$b" ] || continue
  echo "== wine $(basename "$b")"; "$WINE64" "$b"
done
