#!/usr/bin/env bash
# CMake's cross-compiling emulator: runs a Windows program in the private prefix.
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.zavra-ready" ] || zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME"

# Now and then a whole test run sees one program end within milliseconds, silently and
# unsuccessfully: Wine did not start it, and no program of ours ends that fast. Such a start is
# tried again once; a program that really ran keeps its result.
child=""
trap '[ -n "$child" ] && kill "$child" 2>/dev/null' TERM INT
run() {
  "$WINE64" "$@" &
  child=$!
  wait "$child"
}
started=$(date +%s%N)
run "$@"
rc=$?
if [ $rc -ne 0 ] && [ $(( ($(date +%s%N) - started) / 1000000 )) -lt 25 ]; then
  echo "wine-emu: Wine ended the program at once (exit $rc); starting it again" >&2
  run "$@"
  rc=$?
fi
exit $rc
