#!/bin/bash
# Start-up of the launch bar under Wine: the time from the process start to
# its first shown window and the resident memory after it, against a minimal
# program that opens one window, both measured in the same run, with no
# shortcuts and with 100, 1,000 and 5,000 in the Start menu's Programs folder
# and 200 in the Recent folder.
# The two start-up scans' own share ("scans ms") is the same work done in the
# plainest way by the helper, in the same run; "adj ratio" is the bar's time
# without that share against the minimal program's:
#   ratio = bar / minimal, adj ratio = (bar - scans) / minimal.
#   bench/bar-startup.sh            (uses $MIVORA_BUILD, default "build";
#                                    $MIVORA_BENCH_RUNS runs a row, default 5)
set -euo pipefail
source "$(dirname "$0")/wine-bench.sh" 5

TESTS="$B/win64/tests"
BENCH="$TESTS/bar_bench.exe"
PROBE="$TESTS/launch_probe.exe"
WORK=$(mivora_bench_bar_folder mivora-bench)

# One start: prints "ms rss_kb". The resident size is read from the Wine
# process that runs the program (the one started by the helper, found by name).
measure() { # name-pattern exe args...
  local pattern=$1; shift
  local out; out=$(mktemp)
  "$MIVORA_WINE" "$BENCH" start 2500 "$@" >"$out" 2>/dev/null &
  local helper=$!
  # Programs the bar starts write to the same output: only the number counts.
  for _ in $(seq 1 600); do tr -d '\r' <"$out" | grep -qE '^[0-9]+$' && break; sleep 0.05; done
  sleep 1.5
  local pid rss=0
  pid=$(pgrep -f "$pattern" | head -1 || true)
  [ -n "$pid" ] && rss=$(ps -o rss= -p "$pid" | tr -d ' ')
  wait "$helper" || true
  echo "$(tr -d '\r' <"$out" | grep -E '^[0-9]+$' | head -1) ${rss:-0}"
  rm -f "$out"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

PROBE_WIN=$("$MIVORA_WINE" winepath -w "$PROBE" 2>/dev/null)
probe() { measure '^[A-Z]:.*launch_probe.exe' "$PROBE_WIN" --window 4000; }
bar() { measure '^C:.mivora-bench.Mivora.exe' 'C:\mivora-bench\Mivora.exe'; }
scan() { "$MIVORA_WINE" "$BENCH" scan 2>/dev/null | tr -d '\r' | grep -E '^[0-9]+$' | head -1; }

row() { # label
  local probe_ms=() probe_rss=() bar_ms=() bar_rss=() scan_ms=()
  for _ in $(seq 1 "$RUNS"); do
    scan_ms+=("$(scan)")
    read -r t r < <(probe)
    probe_ms+=("$t"); probe_rss+=("$r")
    read -r t r < <(bar)
    bar_ms+=("$t"); bar_rss+=("$r")
  done
  local pm pr bm br sm
  pm=$(printf '%s\n' "${probe_ms[@]}" | median); pr=$(printf '%s\n' "${probe_rss[@]}" | median)
  bm=$(printf '%s\n' "${bar_ms[@]}" | median); br=$(printf '%s\n' "${bar_rss[@]}" | median)
  sm=$(printf '%s\n' "${scan_ms[@]}" | median)
  printf '%-22s %10s %9s %8s %7s %9s %13s\n' "$1" "$pm" "$sm" "$bm" \
    "$(awk -v a="$bm" -v b="$pm" 'BEGIN{printf "%.2f", a/b}')" \
    "$(awk -v a="$bm" -v s="$sm" -v b="$pm" 'BEGIN{printf "%.2f", (a-s)/b}')" \
    "$(awk -v a="$br" -v b="$pr" 'BEGIN{printf "%.1f", (a-b)/1024}')"
}

printf '%-22s %10s %9s %8s %7s %9s %13s\n' "shortcuts (Programs)" "minimal ms" "scans ms" "bar ms" "ratio" \
  "adj ratio" "extra RSS MB"
"$MIVORA_WINE" "$BENCH" unlink >/dev/null 2>&1 || true
# One start of each first, not counted: the first start after the server
# came up pays for filling caches.
probe >/dev/null
bar >/dev/null
row "none"
for n in 100 1000 5000; do
  "$MIVORA_WINE" "$BENCH" links "$n" 200 'C:\windows\notepad.exe' >/dev/null 2>&1
  row "$n (+200 Recent)"
  "$MIVORA_WINE" "$BENCH" unlink >/dev/null 2>&1
done
rm -rf "$WORK"
