#!/usr/bin/env bash
# Builds everything and runs every test: the native core under ASan/UBSan, then the
# Windows programs and their tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
"$root/tools/build.sh" native
"$root/tools/build.sh" windows
(cd "$root/build/native" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
"$root/tools/run-wine-tests.sh" "$root/build/windows" -j "$(nproc)"
