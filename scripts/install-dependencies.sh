#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages the build, the tests and the program need,
# skipping what is already there so that a warm machine pays nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps x11-xkb-utils x11-utils xdotool imagemagick openbox
  poppler-utils fonts-dejavu-core fonts-liberation2
  cups printer-driver-cups-pdf
  clang-14 libclang-rt-14-dev python3 ccache
  lintian desktop-file-utils appstream man-db
  # The cross build for Windows and Wine, which runs its tests (scripts/cross-build-windows.sh).
  g++-mingw-w64-x86-64-posix wine64 googletest
)

missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
asRoot=()
[ "$(id -u)" -ne 0 ] && asRoot=(sudo)
"${asRoot[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${asRoot[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
