#!/bin/bash
# Backup of two trees under Wine by the copy engine, against two references
# in the same run: the plainest Win32 loop (FindFirstFileA, CreateDirectoryA,
# CopyFileA: this platform's limit) under Wine, and `cp -a` natively.
#   (a) 20,000 files of 4 KB in 200 folders
#   (b) 4 files of 1 GiB. They are sparse: reading them costs no disk, so (b)
#       measures reading from the page cache and writing real blocks.
# Then a second "Modified files only" run over the unchanged tree, which
# copies nothing (goal: under a quarter of the first run's time).
#   bench/backup.sh [BUILD_DIR] [RUNS] [TREES]   (TREES default "a b")
# Every time includes the sync that puts the copy on disk, so that no side
# wins by leaving more of its writing to the kernel. Prints median seconds,
# files/s and MB/s, and "vs loop" = loop time / engine time (goal: 0.9 or more).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
runs="${2:-3}"
trees="${3:-a b}"
cd "$root"
source scripts/wine-env.sh "$build" >/dev/null
mivora_use_prefix 64
bench="$build/win64/tests/backup_bench.exe"
[ -f "$bench" ] || { echo "build $bench first" >&2; exit 1; }
command -v bc >/dev/null || { echo "bc is needed (apt-get install bc)" >&2; exit 1; }

work="$WINEPREFIX/drive_c/backup-bench"
win='C:\backup-bench'
rm -rf "$work" && mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

python3 - "$work/a" <<'PY'
import os, sys
block = os.urandom(4096)
for d in range(200):
    folder = os.path.join(sys.argv[1], "d%03d" % d)
    os.makedirs(folder)
    for f in range(100):
        with open(os.path.join(folder, "f%03d.bin" % f), "wb") as out:
            out.write(block)
PY
mkdir -p "$work/b"
for f in 1 2 3 4; do truncate -s 1G "$work/b/big$f.bin"; printf 'mark%s' "$f" | dd of="$work/b/big$f.bin" conv=notrunc status=none; done
cat "$work"/a/*/* "$work"/b/* >/dev/null  # the same warm cache for every side

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
now() { date +%s.%N; }
run() { # sets seconds (the run and its sync) and peak
  local line start
  start=$(now)
  line=$("$MIVORA_WINE" "$bench" "$@" | tr -d '\r')
  sync
  seconds=$(echo "$(now) - $start" | bc -l)
  peak=$(echo "$line" | awk '{print $6}')
}
fresh() { rm -rf "$work/out" && mkdir "$work/out" && sync; }

printf '%-5s %7s %9s %9s %9s %10s %10s %7s %9s %8s\n' tree files "cp -a s" "loop s" "engine s" "engine f/s" "engine MB/s" \
  "vs loop" "rerun s" "peak KB"
for tree in $trees; do
  files=$(find "$work/$tree" -type f | wc -l)
  mb=$(du -s --apparent-size -m "$work/$tree" | cut -f1)
  cpa=(); loop=(); eng=(); again=(); peaks=0
  for _ in $(seq "$runs"); do
    fresh; start=$(now); cp -a "$work/$tree" "$work/out/"; sync; cpa+=("$(echo "$(now) - $start" | bc -l)")
    fresh; run copyfile "$win\\$tree" "$win\\out"; loop+=("$seconds")
    fresh; run engine "$win\\$tree" "$win\\out" 0; eng+=("$seconds"); [ "$peak" -gt "$peaks" ] && peaks=$peak
    diff -r "$work/$tree" "$work/out/$tree" >/dev/null || { echo "backup of $tree differs" >&2; exit 1; }
    run engine "$win\\$tree" "$win\\out" 1; again+=("$seconds")
  done
  c=$(printf '%s\n' "${cpa[@]}" | median); l=$(printf '%s\n' "${loop[@]}" | median)
  e=$(printf '%s\n' "${eng[@]}" | median); r=$(printf '%s\n' "${again[@]}" | median)
  printf '%-5s %7s %9.3f %9.3f %9.3f %10.0f %10.1f %7.2f %9.3f %8s\n' "$tree" "$files" "$c" "$l" "$e" \
    "$(echo "$files / $e" | bc -l)" "$(echo "$mb / $e" | bc -l)" "$(echo "$l / $e" | bc -l)" "$r" "$peaks"
  echo "      rerun/first $(echo "$r / $e" | bc -l | cut -c1-5); loop/cp -a $(echo "$l / $c" | bc -l | cut -c1-6)"
done
