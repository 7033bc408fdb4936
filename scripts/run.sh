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
  BITS=32
else
  # Some virtual machines cannot execute 32-bit code at all; show the 64-bit
  # build of the same sources there.
  echo "This host cannot run 32-bit programs; starting the 64-bit build instead."
  BITS=64
fi
DIST="$B/win$BITS/dist"
if [ ! -f "$DIST/Mivora.exe" ]; then
  echo "The launch bar (Mivora.exe) is not built yet; the libraries built so far are in $DIST/."
  ls "$DIST"
  exit 0
fi
# The bar's first start searches every fixed drive for programs: its prefix
# has no Z: drive (the host's whole file system) and a sandbox home. The
# suite is put where its registry script says a user installs it.
mivora_use_sandboxed_prefix "wineprefix-run$BITS" "$BITS"
INSTALL="$WINEPREFIX/drive_c/Program Files/Mivora"
mkdir -p "$INSTALL"
cp -r "$DIST/." "$INSTALL/"
EXE='C:\Program Files\Mivora\Mivora.exe'
SHOT="$MIVORA_BUILD_DIR/screenshot.png"
# The working folder must be one the prefix can name, now that Z: is gone.
cd "$INSTALL"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$MIVORA_WINE" "$EXE"
fi
mivora_start_xvfb :72
trap 'mivora_stop_wine; mivora_stop_xvfb' EXIT
mivora_start_wine
"$MIVORA_WINE" "$EXE" &
sleep "${MIVORA_SHOT_DELAY:-8}"
import -window root "$SHOT"
echo "No display: the bar ran on a private Xvfb; screenshot saved to $SHOT"
