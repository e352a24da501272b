#!/usr/bin/env bash
# Builds the Windows programs and starts notezavra.exe under Wine, with its default data
# location inside this project's own Wine prefix. Without a display it uses Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
"$root/tools/build.sh" windows
source "$root/tools/wine-env.sh"
zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME"
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  export DISPLAY=:77
  sleep 1
  echo "No display: running on Xvfb $DISPLAY"
fi
exec "$WINE64" "$root/build/windows/bin/notezavra.exe" "$@"
