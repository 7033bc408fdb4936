#!/bin/bash
# Installs everything the build and the tests need (Debian 12, as root) and
# creates the private Wine prefixes. Safe to run again: it only installs what
# is missing. A package list that cannot be fetched is not fatal: the lists
# that did arrive are used.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=wine-env.sh
source scripts/wine-env.sh "${MIVORA_BUILD:-build}"

PACKAGES=(
  # cross compiler and build
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  # the 32-bit tests (GoogleTest needs the POSIX-threads runtime; nothing shipped uses it)
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  cmake ninja-build googletest g++ python3
  # zlib for the archiver stand-ins: static for both Windows builds, shared for the native one
  libz-mingw-w64-dev zlib1g-dev
  # native sanitizer and fuzz builds
  clang-14 libclang-rt-14-dev
  # Wine, a display and screenshots
  wine wine64 xvfb xauth x11-utils imagemagick
  # independent checkers of what the suite writes
  unzip zip cabextract lhasa liblnk-utils icoutils python3-pefile p7zip-full mpack file tzdata
  libarchive-tools
  # benchmarks (the menu benchmark's mouse goes through XTest)
  bc libxtst6
)
# Wine's 32-bit part only where the kernel runs 32-bit code; elsewhere it
# cannot start and its i386 libraries only invite version skew.
if mivora_kernel_runs_32bit; then PACKAGES+=(wine32:i386); fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

apt_update() {
  local try
  for try in 1 2; do
    if apt-get update -q; then return 0; fi
    echo "setup: warning: some package lists could not be fetched (try $try of 2)" >&2
    sleep 3
  done
  echo "setup: warning: going on with the package lists that did arrive" >&2
}

apt_install() {
  export DEBIAN_FRONTEND=noninteractive
  if apt-get install -y -q --no-install-recommends "$@"; then return 0; fi
  # A list that could not be fetched can leave one architecture a release
  # behind the other; the distribution's own release then has matching pairs.
  local release
  release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$release" ] || return 1
  echo "setup: install failed; retrying with $release as the target release" >&2
  apt-get install -y -q --no-install-recommends -t "$release" "$@"
}

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages (${missing[*]}); run this script as root" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt_update
  apt_install "${missing[@]}"
fi

mivora_use_prefix 64
if mivora_host_runs_32bit; then mivora_use_prefix 32; fi
