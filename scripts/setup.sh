#!/bin/bash
# Installs everything the build and the tests need (Debian 12, as root) and
# creates the private 32-bit Wine prefix. Safe to run again: it only installs
# what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  # cross compiler and build
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  cmake ninja-build googletest g++ python3
  # native sanitizer and fuzz builds
  clang-14 libclang-rt-14-dev
  # Wine with its 32-bit part, a display and screenshots
  wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick
  # independent checkers of what the suite writes
  unzip zip cabextract lhasa liblnk-utils icoutils python3-pefile p7zip-full mpack file tzdata
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages (${missing[*]}); run this script as root" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then dpkg --add-architecture i386; fi
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# shellcheck source=wine-env.sh
source scripts/wine-env.sh "${MIVORA_BUILD:-build}"
mivora_use_prefix 64
if mivora_host_runs_32bit; then mivora_use_prefix 32; fi
