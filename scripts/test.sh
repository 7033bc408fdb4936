#!/bin/bash
# Sets up, builds and runs every test: the platform-free units natively under
# ASan/UBSan with short fuzz runs, then the Windows tests under Wine on one Xvfb.
set -uo pipefail
cd "$(dirname "$0")/.."
B="${MIVORA_BUILD:-build}"

bash scripts/setup.sh || exit 1
bash scripts/build.sh --native || { echo "build failed" >&2; exit 1; }

source scripts/wine-env.sh "$B"
summary() { grep -E "tests passed|tests failed" "$1" | tail -1; }
count() { # passed failed from a ctest log
  local line total failed
  line=$(summary "$1")
  total=$(echo "$line" | sed -n 's/.*out of \([0-9]*\).*/\1/p')
  failed=$(echo "$line" | sed -n 's/.*, \([0-9]*\) tests failed.*/\1/p')
  echo "$(( ${total:-0} - ${failed:-0} )) ${failed:-0}"
}

echo "== native tests (ASan, UBSan, fuzz smoke)"
(cd "$B/native" && ctest --output-on-failure -j4) 2>&1 | tee "$B/native-ctest.log"
native_rc=${PIPESTATUS[0]}

echo "== Windows tests under Wine"
trap 'mivora_stop_wine; mivora_stop_xvfb' EXIT
mivora_use_prefix 64
mivora_start_xvfb "${MIVORA_TEST_DISPLAY:-:71}" || exit 1
mivora_start_wine
# Parallel Wine tests would share one prefix, one tray and one focus: run one at a time.
(cd "$B/win64" && ctest --output-on-failure -j1) 2>&1 | tee "$B/win-ctest.log"
win_rc=${PIPESTATUS[0]}

read -r np nf < <(count "$B/native-ctest.log")
read -r wp wf < <(count "$B/win-ctest.log")
echo
echo "native: $(summary "$B/native-ctest.log")"
echo "wine:   $(summary "$B/win-ctest.log")"
echo "Total: $((np + wp)) passed, $((nf + wf)) failed"
[ "$native_rc" = 0 ] && [ "$win_rc" = 0 ]
