#!/bin/bash
# Builds the deliverables for 32-bit Windows (build/win32/dist, the folder a
# user copies), the 64-bit build that the Wine tests run (build/win64), and
# with --native the platform-free units for the host (build/native).
set -euo pipefail
cd "$(dirname "$0")/.."
B="${MIVORA_BUILD:-build}"
J="-j$(nproc)"
cmake -S . -B "$B/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$B/win32" $J
cmake -S . -B "$B/win64" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DMIVORA_I686_DIST="$(cd "$B/win32/dist" && pwd)" >/dev/null
cmake --build "$B/win64" $J
if [ "${1:-}" = "--native" ]; then
  cmake -S . -B "$B/native" -G Ninja -DMIVORA_NATIVE=ON -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$B/native" $J
fi
