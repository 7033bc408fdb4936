#!/bin/bash
# Where the bar's start-up goes: starts the bar a few times under Wine and
# prints, for each step of its start, the median time since the process was
# created, the median time the step took and the working set after it, then
# the five largest steps and the libraries loaded before its first window
# (Wine's own log, WINEDEBUG=+loaddll).
# The steps are written only by a build configured with the trace:
#   cmake -DMIVORA_STARTUP_TRACE=ON build/win64 && cmake --build build/win64 --target Mivora
#   bench/bar-trace.sh [SHORTCUTS]  (uses $MIVORA_BUILD, default "build";
#                                    $MIVORA_BENCH_RUNS starts, default 5;
#                                    SHORTCUTS in the Start menu, default none)
set -euo pipefail
cd "$(dirname "$0")/.."
B="${MIVORA_BUILD:-build}"
RUNS="${MIVORA_BENCH_RUNS:-5}"
SHORTCUTS="${1:-0}"
source scripts/wine-env.sh "$B"
mivora_bench_wine

BENCH="$B/win64/tests/bar_bench.exe"
WORK=$(mivora_bench_bar_folder mivora-trace)
LOG=$(mktemp -d)
trap 'rm -rf "$LOG" "$WORK"; "$MIVORA_WINE" "$BENCH" unlink >/dev/null 2>&1 || true; mivora_stop_wine; mivora_stop_xvfb' EXIT
"$MIVORA_WINE" "$BENCH" unlink >/dev/null 2>&1 || true
if [ "$SHORTCUTS" -gt 0 ]; then
  "$MIVORA_WINE" "$BENCH" links "$SHORTCUTS" 200 'C:\windows\notepad.exe' >/dev/null 2>&1
fi
# The first start fills Wine's caches and is not counted.
"$MIVORA_WINE" "$BENCH" start 1500 'C:\mivora-trace\Mivora.exe' >/dev/null 2>&1 || true
for run in $(seq 1 "$RUNS"); do
  WINEDEBUG=+loaddll "$MIVORA_WINE" "$BENCH" start 1500 'C:\mivora-trace\Mivora.exe' \
    >"$LOG/shown.$run" 2>"$LOG/log.$run" || true
done
if ! grep -q '^startup' "$LOG/log.1"; then
  echo "no trace: configure the build with -DMIVORA_STARTUP_TRACE=ON and rebuild Mivora" >&2
  exit 1
fi
python3 - "$LOG" "$RUNS" <<'PY'
import re, statistics, sys
folder, runs = sys.argv[1], int(sys.argv[2])
steps, shown, modules = {}, [], []
for run in range(1, runs + 1):
    lines = open(f"{folder}/log.{run}", errors="replace").read().splitlines()
    shown += [int(l) for l in open(f"{folder}/shown.{run}").read().split() if l.isdigit()][:1]
    trace = [l for l in lines if l.startswith("startup")]
    # The bar's own process: the one whose thread loads Mivora.exe.
    tid = next((l.split(":")[0] for l in lines if "Mivora.exe" in l and "Loaded" in l), None)
    loaded = []
    for l in lines:
        if l.startswith("startup") and "bar shown" in l:
            break
        m = re.match(r'(\w+):trace:loaddll:build_module Loaded L"(.*?)"', l)
        if m and m.group(1) == tid:
            loaded.append(m.group(2).split("\\")[-1])
    if run == 1:
        modules = loaded
    previous = 0.0
    for n, l in enumerate(trace):
        _, at, kb, name = l.split(None, 3)
        steps.setdefault((n, name.rstrip()), []).append((float(at), float(at) - previous, int(kb)))
        previous = float(at)
print(f"{'since start ms':>14} {'step ms':>8} {'working set KB':>15}  step")
for (n, name), v in steps.items():
    print(f"{statistics.median(x[0] for x in v):14.1f} {statistics.median(x[1] for x in v):8.1f} "
          f"{statistics.median(x[2] for x in v):15.0f}  {name}")
print("\nlargest steps:")
for (n, name), v in sorted(steps.items(), key=lambda kv: -statistics.median(x[1] for x in kv[1]))[:5]:
    print(f"{statistics.median(x[1] for x in v):8.1f} ms  {name.strip()}")
unique = list(dict.fromkeys(m.lower() for m in modules))
print(f"\nfirst window after {statistics.median(shown) if shown else '?'} ms (bar_bench); "
      f"{len(unique)} modules loaded before it:\n  " + " ".join(unique))
PY
