#!/bin/bash
# Builds the deliverables for 32-bit Windows (build/win32/dist, the folder a
# user copies) and the 64-bit build whose tests run under Wine on every host
# (build/win64). Also, with --native, the platform-free units for the host
# (build/native); with --i686-tests, the Windows tests of the shipped 32-bit
# folder (build/win32-tests: the POSIX-threads compiler, for GoogleTest; the
# tests start and load what build/win32/dist holds).
set -euo pipefail
cd "$(dirname "$0")/.."
B="${MIVORA_BUILD:-build}"
J="-j$(nproc)"
native='' i686_tests=''
for arg in "$@"; do
  case "$arg" in
    --native) native=1 ;;
    --i686-tests) i686_tests=1 ;;
    *) echo "usage: build.sh [--native] [--i686-tests]" >&2; exit 2 ;;
  esac
done
cmake -S . -B "$B/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$B/win32" $J
cmake -S . -B "$B/win64" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DMIVORA_I686_DIST="$(cd "$B/win32/dist" && pwd)" >/dev/null
cmake --build "$B/win64" $J
if [ -n "$i686_tests" ]; then
  cmake -S . -B "$B/win32-tests" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-posix.cmake -DCMAKE_BUILD_TYPE=Release \
    -DMIVORA_I686_DIST="$(cd "$B/win32/dist" && pwd)" >/dev/null
  cmake --build "$B/win32-tests" $J
fi
if [ -n "$native" ]; then
  cmake -S . -B "$B/native" -G Ninja -DMIVORA_NATIVE=ON -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$B/native" $J
fi
