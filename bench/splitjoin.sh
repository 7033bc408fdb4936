#!/bin/bash
# Split and join of one file under Wine by the library's engine, against two
# references in the same run: GNU split -b and cat natively (they copy inside
# the kernel, which a Windows program under Wine cannot), and the plainest
# Win32 loop doing the same work under Wine (CreateFileA, ReadFile, WriteFile
# with the engine's buffer size): this platform's limit.
#   bench/splitjoin.sh [BUILD_DIR] [SIZE_MB] [RUNS]
# BUILD_DIR is the build folder holding win64/ (default: build). Prints median
# times; "vs GNU" = GNU time / engine time, "vs loop" = loop time / engine
# time (goal: 0.9 or more); and how much the bench process's private memory
# grew while the engine ran (its buffers).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
size_mb="${2:-1024}"
runs="${3:-5}"
cd "$root"
source scripts/wine-env.sh "$build" >/dev/null
mivora_use_prefix 64
bench="$build/win64/tests/splitjoin_bench.exe"
[ -f "$bench" ] || { echo "build $bench first" >&2; exit 1; }
command -v bc >/dev/null || { echo "bc is needed (apt-get install bc)" >&2; exit 1; }

work="$WINEPREFIX/drive_c/splitjoin-bench"
win='C:\splitjoin-bench'
rm -rf "$work" && mkdir -p "$work/gnu" "$work/ours"
trap 'rm -rf "$work"' EXIT
head -c "$((size_mb * 1024 * 1024))" /dev/urandom >"$work/source.bin"
cat "$work/source.bin" >/dev/null  # the same warm cache for every side

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
now() { date +%s.%N; }
# Runs the bench program; sets seconds (inside it) and memory.
run() {
  local line
  line=$("$MIVORA_WINE" "$bench" "$@")
  seconds=$(echo "$line" | awk '{print $2}' | tr -d '\r')
  memory=$(echo "$line" | awk '{print $4}' | tr -d '\r')
}

echo "file: ${size_mb} MiB, median of $runs runs"
printf '%-8s %-5s %8s %8s %8s %7s %7s %10s\n' "piece KB" "step" "GNU s" "loop s" "ours s" "vs GNU" "vs loop" "memory KB"
for kb in 32767 1440; do
  for step in split join; do
    gnu=(); loop=(); eng=(); peak=0
    for _ in $(seq "$runs"); do
      if [ "$step" = split ]; then
        rm -f "$work"/gnu/* "$work"/ours/*
        sync
        start=$(now)
        split -b "$((kb * 1024))" -a 3 -d "$work/source.bin" "$work/gnu/source."
        gnu+=("$(echo "$(now) - $start" | bc -l)")
        sync
        run plain-split "$win\\source.bin" "$win\\ours" "$kb"; loop+=("$seconds")
        rm -f "$work"/ours/*
        sync
        run split "$win\\source.bin" "$win\\ours" "$kb"; eng+=("$seconds")
      else
        rm -f "$work/gnu/joined" "$work/ours/joined"
        sync
        start=$(now)
        cat "$work"/gnu/source.* >"$work/gnu/joined"
        gnu+=("$(echo "$(now) - $start" | bc -l)")
        sync
        run plain-join "$win\\ours\\source.001" "$win\\ours\\joined"; loop+=("$seconds")
        cmp -s "$work/source.bin" "$work/ours/joined" || { echo "plain joined file differs" >&2; exit 1; }
        rm -f "$work/ours/joined"
        sync
        run join "$win\\ours\\source.001" "$win\\ours\\joined"; eng+=("$seconds")
        cmp -s "$work/source.bin" "$work/ours/joined" || { echo "joined file differs" >&2; exit 1; }
      fi
      [ "$memory" -gt "$peak" ] && peak=$memory
    done
    g=$(printf '%s\n' "${gnu[@]}" | median)
    l=$(printf '%s\n' "${loop[@]}" | median)
    o=$(printf '%s\n' "${eng[@]}" | median)
    printf '%-8s %-5s %8.3f %8.3f %8.3f %7.2f %7.2f %10s\n' "$kb" "$step" "$g" "$l" "$o" \
      "$(echo "$g / $o" | bc -l)" "$(echo "$l / $o" | bc -l)" "$peak"
  done
done
