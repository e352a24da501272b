#!/usr/bin/env bash
# Runs the setup program's end-to-end test in a Wine prefix made fresh for this run, as on a
# machine that never saw the program: tools/test-installer.sh <windows build dir>
# Needs DISPLAY (run it through tools/run-wine-tests.sh); the prefix is removed when all passed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build dir}" && pwd)
setup=$(ls "$build"/release/NoteZavra-*-setup.exe 2>/dev/null | head -n1)
[ -n "$setup" ] || { echo "no setup program in $build/release" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "DISPLAY is not set" >&2; exit 1; }

unset ZAVRA_WINE_DIR_CHECKED LOCPATH
export ZAVRA_WINE_DIR="$build/installer-wine"
source "$root/tools/wine-env.sh"
server_up=0
cleanup() { [ $server_up = 1 ] && HOME="$ZAVRA_WINE_HOME" timeout 30 wineserver -k 2>/dev/null || true; }
trap cleanup EXIT
rm -rf "$ZAVRA_WINE_DIR"
zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME"
wineserver -p || true
server_up=1
"$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true

rc=0
ZAVRA_SETUP="Z:${setup//\//\\}" timeout 600 "$WINE64" "$build/bin/installer_wintests.exe" "$@" || rc=$?
if [ $rc -eq 0 ]; then
  cleanup
  server_up=0
  rm -rf "$ZAVRA_WINE_DIR"
fi
exit $rc
