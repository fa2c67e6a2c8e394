#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. It uses the "Varnholt.MFG" of the
# current directory when there is one, else the user's data folder (~/.local/share/varnholt),
# which the first run fills with the sample database. Arguments go to the program
# (--folder DIR chooses the folder).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
buildDir=$top/build-release

"$top/scripts/install-dependencies.sh"
cmake -S "$top" -B "$buildDir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNHOLT_TESTS=OFF >/dev/null
cmake --build "$buildDir" --parallel 2 --target varnholt varnholt-report sample-database
exec "$buildDir/src/app/varnholt" "$@"
