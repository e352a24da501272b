#!/usr/bin/env bash
# Configures and builds one of the two builds: tools/build.sh native|windows [build dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?native or windows}
dir=${2:-$root/build/$kind}
jobs=$(nproc)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
case $kind in
  native)  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" ${ZAVRA_CMAKE_ARGS:-} >/dev/null ;;
  windows) cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
             -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "${launcher[@]}" ${ZAVRA_CMAKE_ARGS:-} >/dev/null ;;
  *) echo "unknown build: $kind" >&2; exit 2 ;;
esac
cmake --build "$dir" -j "$jobs"
