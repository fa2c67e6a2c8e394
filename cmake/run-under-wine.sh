#!/bin/sh
# Runs a Windows program of the cross build under Wine: the emulator CMake and CTest start the test
# programs with (cmake/Toolchain-MinGW-w64.cmake).
# Usage: run-under-wine.sh WINE-PREFIX PROGRAM.exe [ARGUMENTS...]
# VARNHOLT_WINE names the Wine loader (default /usr/lib/wine/wine64; wineserver64 lies beside it).
#
# Wine's own background processes (services.exe and its company) start with the first program of a
# prefix and inherit its output: CTest would then wait for them to end, seconds after the test
# itself. So the first caller starts the server and those processes with their output elsewhere,
# under a lock that makes parallel callers wait for it; the server stays half a minute after the
# last program, for the next one.
set -eu
prefix=$1
shift
wine=${VARNHOLT_WINE:-/usr/lib/wine/wine64}
server=$(dirname "$wine")/wineserver64
[ -x "$server" ] || server=$(dirname "$wine")/wineserver
export WINEPREFIX="$prefix" WINEDEBUG=-all
mkdir -p "$prefix"
flock --close "$prefix/.start-lock" sh -c '
  if "$1" -p30; then "$2" wineboot; fi' sh "$server" "$wine" </dev/null >/dev/null 2>&1 || true
exec "$wine" "$@"
