#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the current directory,
# whose "Varnholt.MFG" it then uses as its manufacturer database.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
buildDir=$top/build-release

"$top/scripts/install-dependencies.sh"
cmake -S "$top" -B "$buildDir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNHOLT_TESTS=OFF >/dev/null
cmake --build "$buildDir" --parallel 2 --target varnholt varnholt-report sample-database
exec "$buildDir/src/app/varnholt" "$@"
