#!/bin/bash
# Brimo under Wine on one large file, against coreutils `base64 -w 76` natively
# in the same run: Brimo writes the Base64 text, then the message around it,
# and removes the file; base64 only writes the text.
#   bench/brimo.sh [BUILD_DIR] [SIZE_MB] [RUNS]
# Prints median times; "speed" = base64 time / Brimo time (goal: 0.5 or
# more), "memory" = Brimo's peak working set / file size (goal: 2 or less).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
size_mb="${2:-200}"
runs="${3:-3}"
cd "$root"
source scripts/wine-env.sh "$build" >/dev/null
mivora_use_prefix 64
bench="$build/win64/tests/brimo_bench.exe"
[ -f "$bench" ] || { echo "build $bench first" >&2; exit 1; }
command -v bc >/dev/null || { echo "bc is needed (apt-get install bc)" >&2; exit 1; }
brimo=$("$MIVORA_WINE" winepath -w "$build/win64/dist/Brimo.exe" 2>/dev/null | tr -d '\r')

work="$WINEPREFIX/drive_c/brimo-bench"
win='C:\brimo-bench'
rm -rf "$work" && mkdir -p "$work/temp"
trap 'rm -rf "$work"' EXIT
head -c "$((size_mb * 1000 * 1000))" /dev/urandom >"$work/source.bin"
cat "$work/source.bin" >/dev/null  # the same warm cache for both

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
now() { date +%s.%N; }
native=(); ours=(); peak=0
for run in $(seq "$runs"); do
  rm -f "$work/native.b64" "$work/temp/"*
  sync
  start=$(now)
  base64 -w 76 "$work/source.bin" >"$work/native.b64"
  native+=("$(echo "$(now) - $start" | bc -l)")
  cp "$work/source.bin" "$work/pack.bin"  # Brimo removes what it sends
  sync
  line=$("$MIVORA_WINE" "$bench" "$brimo" "$win\\pack.bin" "$win\\temp\\")
  ours+=("$(echo "$line" | awk '{print $2}')")
  kb=$(echo "$line" | awk '{print $4}' | tr -d '\r')
  [ "$kb" -gt "$peak" ] && peak=$kb
  if [ "$run" = 1 ]; then
    # The message's text lines are base64's, with CR LF.
    tail -n +18 "$work/temp/temp.eml" | head -n -1 | cmp -s - <(sed 's/$/\r/' "$work/native.b64") ||
      { echo "the message's text differs from base64's" >&2; exit 1; }
  fi
done
n=$(printf '%s\n' "${native[@]}" | median)
o=$(printf '%s\n' "${ours[@]}" | median)
file_kb=$((size_mb * 1000 * 1000 / 1024))
echo "file: ${size_mb} MB, median of $runs runs"
printf '%-14s %8s %8s\n' "" "seconds" "MB/s"
printf '%-14s %8.3f %8.0f\n' "base64 -w 76" "$n" "$(echo "$size_mb / $n" | bc -l)"
printf '%-14s %8.3f %8.0f\n' "Brimo (Wine)" "$o" "$(echo "$size_mb / $o" | bc -l)"
printf 'speed  %.2f (goal 0.5 or more)\n' "$(echo "$n / $o" | bc -l)"
printf 'memory %.2f (peak %s KB for a %s KB file; goal 2 or less)\n' "$(echo "$peak / $file_kb" | bc -l)" "$peak" "$file_kb"
