#!/bin/bash
# Sets up, builds and runs every test: the platform-free units natively under
# ASan/UBSan with short fuzz runs, then the Windows tests under Wine on one
# Xvfb: those of the 64-bit build on every host, and those of the shipped
# 32-bit build where the host executes 32-bit code. Elsewhere the 32-bit tests
# are built but not run, so that what only the 32-bit build gets wrong at
# compile time (calling conventions, record sizes) still fails here.
set -uo pipefail
cd "$(dirname "$0")/.."
B="${MIVORA_BUILD:-build}"

bash scripts/setup.sh || exit 1
bash scripts/build.sh --native --i686-tests || { echo "build failed" >&2; exit 1; }

source scripts/wine-env.sh "$B"
summary() { grep -E "tests passed|tests failed" "$1" | tail -1; }
count() { # passed failed from a ctest log and ctest's exit code
  local line total failed
  line=$(summary "$1")
  total=$(echo "$line" | sed -n 's/.*out of \([0-9]*\).*/\1/p')
  failed=$(echo "$line" | sed -n 's/.*, \([0-9]*\) tests failed.*/\1/p')
  failed=${failed:-0}
  # A run that failed without a summary (ctest itself broke) counts as a failure.
  if [ "$2" != 0 ] && [ "$failed" = 0 ]; then failed=1; fi
  echo "$(( ${total:-0} - failed )) $failed"
}
minutes() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

echo "== native tests (ASan, UBSan, fuzz smoke)"
start=$SECONDS
(cd "$B/native" && ctest --output-on-failure -j4) 2>&1 | tee "$B/native-ctest.log"
native_rc=${PIPESTATUS[0]}
native_time=$((SECONDS - start))

# wine_run BITS TREE: the Windows tests of one build tree in the prefix of its
# bitness, logged to $B/TREE-ctest.log. Parallel Wine tests would share one
# prefix, one tray and one focus: one test at a time.
wine_run() {
  mivora_use_prefix "$1"
  mivora_start_wine
  (cd "$B/$2" && ctest --output-on-failure -j1) 2>&1 | tee "$B/$2-ctest.log"
  local rc=${PIPESTATUS[0]}
  mivora_stop_wine
  return "$rc"
}

trap 'mivora_stop_wine; mivora_stop_xvfb' EXIT
mivora_start_xvfb "${MIVORA_TEST_DISPLAY:-:71}" || exit 1
echo "== Windows tests under Wine: the 64-bit build"
start=$SECONDS
wine_run 64 win64
win64_rc=$?
win64_time=$((SECONDS - start))

no_32bit=$(mivora_no_32bit_reason)
win32_rc=0
rm -f "$B/win32-tests-ctest.log"
if [ -z "$no_32bit" ]; then
  echo "== Windows tests under Wine: the shipped 32-bit build"
  start=$SECONDS
  wine_run 32 win32-tests
  win32_rc=$?
  win32_time=$((SECONDS - start))
fi

read -r np nf < <(count "$B/native-ctest.log" "$native_rc")
read -r w64p w64f < <(count "$B/win64-ctest.log" "$win64_rc")
w32p=0 w32f=0
echo
echo "native: $(summary "$B/native-ctest.log") ($(minutes "$native_time"))"
echo "wine64: $(summary "$B/win64-ctest.log") ($(minutes "$win64_time"))"
if [ -z "$no_32bit" ]; then
  read -r w32p w32f < <(count "$B/win32-tests-ctest.log" "$win32_rc")
  echo "wine32: $(summary "$B/win32-tests-ctest.log") ($(minutes "$win32_time"))"
else
  echo "wine32: skipped: the tests of the shipped 32-bit build were built ($B/win32-tests) but not run: $no_32bit"
fi
echo "Total: $((np + w64p + w32p)) passed, $((nf + w64f + w32f)) failed"
[ "$native_rc" = 0 ] && [ "$win64_rc" = 0 ] && [ "$win32_rc" = 0 ]
