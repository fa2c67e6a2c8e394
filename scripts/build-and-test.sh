#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs the whole test suite.
# Usage: scripts/build-and-test.sh [build folder] [extra CMake arguments...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
buildDir=${1:-$top/build}
shift || true

"$top/scripts/install-dependencies.sh"
# Paths below the clone are hashed relative to it, so that a clone elsewhere hits the compiler cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top}
# A compiler cache makes a rebuild of an unchanged tree (a second clone, a CI run) cheap.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$buildDir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@"
cmake --build "$buildDir" --parallel 2
ctest --test-dir "$buildDir" --output-on-failure --parallel 2 --timeout 600
