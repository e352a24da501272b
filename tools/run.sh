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
  zavra_start_xvfb 77 89
  echo "No display: running on Xvfb $DISPLAY"
fi
exec "$WINE64" "$root/build/windows/bin/notezavra.exe" "$@"
