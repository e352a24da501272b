#!/usr/bin/env bash
# CMake's cross-compiling emulator: runs a Windows program in the private prefix.
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.zavra-ready" ] || zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME"

# Now and then a whole test run sees one program end at once, silently and unsuccessfully:
# Wine did not start it (under load this can take a few tens of milliseconds). A start that
# failed within two seconds without printing anything is tried once more; every test program
# prints its filter line first, so a program that really ran keeps its result.
child=""
out=$(mktemp "${TMPDIR:-/tmp}/wine-emu.XXXXXX")
# A test stopped for its time limit still shows what it printed.
trap '[ -n "$child" ] && kill "$child" 2>/dev/null; cat "$out"; rm -f "$out"; exit 143' TERM INT
trap 'rm -f "$out"' EXIT
run() {
  "$WINE64" "$@" >"$out" 2>&1 &
  child=$!
  wait "$child"
}
started=$(date +%s%N)
run "$@"
rc=$?
if [ $rc -ne 0 ] && [ ! -s "$out" ] && [ $(( ($(date +%s%N) - started) / 1000000 )) -lt 2000 ]; then
  echo "wine-emu: Wine ended the program at once (exit $rc) without a word; starting it again" >&2
  run "$@"
  rc=$?
fi
cat "$out"
exit $rc
