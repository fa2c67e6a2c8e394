#!/usr/bin/env bash
# Cross-builds the layers below the windows for 64-bit Windows with MinGW-w64, warnings as errors,
# and runs their tests under Wine, headless. Installs what is missing first.
# Usage: scripts/cross-build-windows.sh [build folder, default build-windows] [extra CMake arguments...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
buildDir=$(realpath -m "${1:-$top/build-windows}")
shift || true

"$top/scripts/install-dependencies.sh"
# Paths below the clone are hashed relative to it, so that a clone elsewhere hits the compiler cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$buildDir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/Toolchain-MinGW-w64.cmake" -DVARNHOLT_QT=OFF "${launcher[@]}" "$@"
cmake --build "$buildDir" --parallel 2
# Wine's server and services for the build's prefix end with the run, not half a minute later.
wine=${VARNHOLT_WINE:-/usr/lib/wine/wine64}
trap 'WINEPREFIX="$buildDir/wine-prefix" "$(dirname "$wine")/wineserver64" -k 2>/dev/null || true' EXIT
ctest --test-dir "$buildDir" --output-on-failure --parallel 2 --timeout 600
