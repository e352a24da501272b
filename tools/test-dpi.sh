#!/usr/bin/env bash
# The resident program's windows at 100 % and at 150 %: tools/test-dpi.sh <windows build dir>
# Wine takes the DPI from "LogPixels" (HKCU\Control Panel\Desktop first, then
# HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts), read by each program
# when it starts. So the test runs in a Wine prefix and on an Xvfb display of its own (it also
# moves the pointer), leaving the shared test prefix and its parallel tests alone. It shows a
# note, its tracker, the calendar and the tray menu at 96 and at 144 DPI, checks that each is
# 1.5 times its 96-DPI size, and leaves both screenshots side by side in
# <build>/screenshots/dpi/side-by-side.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build dir}" && pwd)
out="$build/screenshots/dpi"

unset ZAVRA_WINE_DIR_CHECKED LOCPATH
export ZAVRA_WINE_DIR="$build/dpi-wine"
source "$root/tools/wine-env.sh"
xvfb_pid=""
server_up=0
cleanup() {
  [ $server_up = 1 ] && HOME="$ZAVRA_WINE_HOME" timeout 30 wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
zavra_start_xvfb 100 119
rm -rf "$out"
mkdir -p "$out"
zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME"
wineserver -p || true
server_up=1
"$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true

for dpi in 96 144; do
  "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null
  ZAVRA_DPI_OUT="$out" timeout 300 "$WINE64" "$build/bin/app_wintests.exe" --gtest_filter='Dpi.ScreensAtTheSystemDpi'
done

# Each size at 144 DPI is 1.5 times that at 96, give or take the rounding of its parts.
status=0
while read -r name w h; do
  read -r name2 w2 h2 <&3
  for pair in "$w $w2" "$h $h2"; do
    set -- $pair
    if ! awk -v a="$1" -v b="$2" 'BEGIN { d = b - 1.5 * a; if (d < 0) d = -d; exit !(d <= 3 + 0.06 * a) }'; then
      echo "$name: $w x $h at 96 DPI but $w2 x $h2 at 144 DPI" >&2
      status=1
    fi
  done
  printf '%-18s %5s x %-5s  %5s x %-5s\n' "$name" "$w" "$h" "$w2" "$h2"
done <"$out/sizes-96.txt" 3<"$out/sizes-144.txt"
if command -v convert >/dev/null; then
  convert "$out/screen-96.png" "$out/screen-144.png" +append "$out/side-by-side.png"
fi
exit $status
