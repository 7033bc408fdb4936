#!/bin/bash
# Sets up, builds and starts the launch bar under Wine: on $DISPLAY when there
# is one, otherwise on a private Xvfb, saving a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
B="${MIVORA_BUILD:-build}"
bash scripts/setup.sh
bash scripts/build.sh
source scripts/wine-env.sh "$B"
if mivora_host_runs_32bit; then
  mivora_use_prefix 32
  EXE="$B/win32/dist/Mivora.exe"
else
  # Some virtual machines cannot execute 32-bit code at all; show the 64-bit
  # build of the same sources there.
  echo "This host cannot run 32-bit programs; starting the 64-bit build instead."
  mivora_use_prefix 64
  EXE="$B/win64/dist/Mivora.exe"
fi
if [ ! -f "$EXE" ]; then
  echo "The launch bar (Mivora.exe) is not built yet; the libraries built so far are in $(dirname "$EXE")/."
  ls "$(dirname "$EXE")"
  exit 0
fi
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$MIVORA_WINE" "$EXE"
fi
mivora_start_xvfb :72
trap 'mivora_stop_wine; mivora_stop_xvfb' EXIT
mivora_start_wine
"$MIVORA_WINE" "$EXE" &
sleep "${MIVORA_SHOT_DELAY:-8}"
SHOT="$(pwd)/$B/screenshot.png"
import -window root "$SHOT"
echo "No display: the bar ran on a private Xvfb; screenshot saved to $SHOT"
