#!/bin/bash
# The bar's menu reactions under Wine, against the time the same Wine takes
# to show the bar's plain Find menu, all measured in one run from outside:
# right click to item context menu shown, hover to tip shown (goal: under 2x).
# The benchmark's mouse is the X server's own (XTest through bench/xinput.py).
#   bench/bar-menus.sh              (uses $MIVORA_BUILD, default "build";
#                                    $MIVORA_BENCH_RUNS rounds, default 15)
set -euo pipefail
source "$(dirname "$0")/wine-bench.sh" 15
mivora_bench_bar_folder mivora-menus >/dev/null
"$MIVORA_WINE" "$B/win64/tests/menu_bench.exe" 'C:\mivora-menus' "$RUNS" 2>"${MENU_BENCH_LOG:-/dev/null}" |
  python3 bench/xinput.py
