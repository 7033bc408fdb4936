#!/bin/bash
# The software search under Wine over a tree of 50,000 files in 5,000 folders
# (100 folders of 49 subfolders, ten files each, one of them a program; one
# program in fifty is a known one), against a plain FindFirstFileA/FindNextFileA
# walk of the same tree in the same run. The search's time includes its
# message pumping after every entry, the status line and the filing.
#   bench/search.sh          (uses $MIVORA_BUILD, default "build";
#                             $MIVORA_BENCH_RUNS rounds, default 5)
set -euo pipefail
source "$(dirname "$0")/wine-bench.sh" 5

WORK="$WINEPREFIX/drive_c/mivora-search-bench"
rm -rf "$WORK" && mkdir -p "$WORK/tree" "$WORK/table"
cp "$B/win64/dist/"{qapp.idx,qapp.dat} "$WORK/table/"
python3 - "$WORK/tree" <<'PY'
import os, sys
root = sys.argv[1]
known = ["NOTEPAD.EXE", "WORDPAD.EXE", "REGEDIT.EXE", "TASKMGR.EXE", "WINEMINE.EXE"]
n = 0
for top in range(100):
    for sub in range(50):
        d = os.path.join(root, "f%03d" % top) if sub == 0 else os.path.join(root, "f%03d" % top, "s%02d" % sub)
        os.makedirs(d, exist_ok=True)
        for i in range(9):
            open(os.path.join(d, "doc%d.txt" % i), "w").close()
        prog = known[n % len(known)] if n % 50 == 0 else "tool%05d.exe" % n
        open(os.path.join(d, prog), "w").close()
        n += 1
PY
"$MIVORA_WINE" "$B/win64/tests/search_bench.exe" 'C:\mivora-search-bench\tree\' 'C:\mivora-search-bench\table\' "$RUNS"
rm -rf "$WORK"
