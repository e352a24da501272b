#!/usr/bin/env bash
# CMake's cross-compiling emulator: runs a Windows program in the private prefix.
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.zavra-ready" ] || zavra_wine_prepare
export HOME="$ZAVRA_WINE_HOME"
exec "$WINE64" "$@"
