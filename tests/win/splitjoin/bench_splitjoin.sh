#!/bin/bash
# Split and join of one file by the library's engine under Wine, against GNU
# split -b and cat on the same file in the same run.
#   tests/win/splitjoin/bench_splitjoin.sh [BUILD_DIR] [SIZE_MB] [RUNS]
# BUILD_DIR is the build folder holding win64/ (default: build). Prints median
# times: GNU, ours inside the engine, ours with the Wine process start; the
# ratio GNU time / our engine time (goal: 1.0 or more); and how much the bench
# process's private memory grew while the engine ran (its buffers).
set -euo pipefail
root="$(cd "$(dirname "$0")/../../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
size_mb="${2:-1024}"
runs="${3:-5}"
cd "$root"
source scripts/wine-env.sh "$build" >/dev/null
mivora_use_prefix 64
bench="$build/win64/tests/splitjoin_bench.exe"
[ -f "$bench" ] || { echo "build $bench first" >&2; exit 1; }

work="$WINEPREFIX/drive_c/splitjoin-bench"
win='C:\splitjoin-bench'
rm -rf "$work" && mkdir -p "$work/gnu" "$work/ours"
trap 'rm -rf "$work"' EXIT
head -c "$((size_mb * 1024 * 1024))" /dev/urandom >"$work/source.bin"
cat "$work/source.bin" >/dev/null  # the same warm cache for both sides

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
now() { date +%s.%N; }
# Runs our bench; sets engine (seconds inside), wall (with Wine's start), memory.
ours() {
  local start line
  start=$(now)
  line=$("$MIVORA_WINE" "$bench" "$@")
  wall=$(echo "$(now) - $start" | bc -l)
  engine=$(echo "$line" | awk '{print $2}' | tr -d '\r')
  memory=$(echo "$line" | awk '{print $4}' | tr -d '\r')
}

echo "file: ${size_mb} MiB, median of $runs runs"
printf '%-8s %-5s %9s %9s %9s %7s %10s\n' "piece KB" "step" "GNU s" "ours s" "wall s" "ratio" "memory KB"
for kb in 32767 1440; do
  for step in split join; do
    gnu=(); eng=(); walls=(); peak=0
    for _ in $(seq "$runs"); do
      if [ "$step" = split ]; then
        rm -f "$work"/gnu/* "$work"/ours/*
        sync
        start=$(now)
        split -b "$((kb * 1024))" -a 3 -d "$work/source.bin" "$work/gnu/source."
        gnu+=("$(echo "$(now) - $start" | bc -l)")
        sync
        ours split "$win\\source.bin" "$win\\ours" "$kb"
      else
        rm -f "$work/gnu/joined" "$work/ours/joined"
        sync
        start=$(now)
        cat "$work"/gnu/source.* >"$work/gnu/joined"
        gnu+=("$(echo "$(now) - $start" | bc -l)")
        sync
        ours join "$win\\ours\\source.001" "$win\\ours\\joined"
        cmp -s "$work/source.bin" "$work/ours/joined" || { echo "joined file differs" >&2; exit 1; }
      fi
      eng+=("$engine"); walls+=("$wall")
      [ "$memory" -gt "$peak" ] && peak=$memory
    done
    g=$(printf '%s\n' "${gnu[@]}" | median)
    o=$(printf '%s\n' "${eng[@]}" | median)
    w=$(printf '%s\n' "${walls[@]}" | median)
    printf '%-8s %-5s %9.3f %9.3f %9.3f %7.2f %10s\n' "$kb" "$step" "$g" "$o" "$w" "$(echo "$g / $o" | bc -l)" "$peak"
  done
done
