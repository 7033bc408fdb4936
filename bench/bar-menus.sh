#!/bin/bash
# The bar's menu reactions under Wine, against the time the same Wine takes
# to show the bar's plain Find menu, all measured in one run from outside:
# right click to item context menu shown, hover to tip shown (goal: under 2x).
#   bench/bar-menus.sh              (uses $MIVORA_BUILD, default "build";
#                                    $MIVORA_BENCH_RUNS rounds, default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
B="${MIVORA_BUILD:-build}"
RUNS="${MIVORA_BENCH_RUNS:-15}"
source scripts/wine-env.sh "$B"
mivora_use_prefix 64
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  trap 'mivora_stop_wine' EXIT
else
  mivora_start_xvfb "${MIVORA_BENCH_DISPLAY:-:74}"
  trap 'mivora_stop_wine; mivora_stop_xvfb' EXIT
fi
mivora_start_wine
WORK="$WINEPREFIX/drive_c/mivora-menus"
rm -rf "$WORK" && mkdir -p "$WORK"
cp "$B/win64/dist/"{Mivora.exe,Dorvane.dll,hook.dll,logo.bmp} "$WORK/"
"$MIVORA_WINE" reg add 'HKLM\SOFTWARE\Keltor\Mivora\1.0' /v FirstRun /d no /f >/dev/null 2>&1
"$MIVORA_WINE" "$B/win64/tests/menu_bench.exe" 'C:\mivora-menus' "$RUNS" 2>"${MENU_BENCH_LOG:-/dev/null}" | tr -d '\r'
