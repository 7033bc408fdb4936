#!/bin/bash
# Sourced: sets up the Wine environment of one build folder.
#   source scripts/wine-env.sh BUILD_DIR
# The prefixes live inside the build folder, never in the user's ~/.wine.
#
# Two kinds of prefix: a 32-bit one for the deliverables, where the host can
# execute 32-bit code (Wine's 32-bit loader needs it), and a 64-bit one in
# which the tests run the 64-bit build of the same sources on every host.
MIVORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MIVORA_BUILD_DIR="$(mkdir -p "$1" && cd "$1" && pwd)"
export WINEDEBUG="${WINEDEBUG:--all}"
# No prompts to download browser or .NET engines; the suite needs neither.
# Wine's menu builder starts whenever a shortcut is saved, with the .lnk on
# its command line, and the hook reports that start to the bar, which then
# records the shortcut itself as a recent document: off for the tests.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
# Wine names host files in the locale's character set: in the C locale of a
# clean machine a Windows name outside ASCII ("caf\xe9.txt") cannot be made at all.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  export LC_ALL=C.UTF-8
fi

# True when the kernel executes 32-bit x86 programs (some virtual machines
# cannot). Asks by running a 93-byte static i386 program that only exits, so
# it needs no 32-bit library installed.
mivora_kernel_runs_32bit() {
  local probe rc
  probe=$(mktemp) || return 1
  {
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00'
    printf '\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    printf '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'  # mov eax,1; xor ebx,ebx; int 0x80
  } >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null; rc=$?
  rm -f "$probe"
  [ "$rc" = 0 ]
}

# Why this host runs no 32-bit Windows program under Wine; prints nothing
# when it runs them.
mivora_no_32bit_reason() {
  if ! mivora_kernel_runs_32bit; then
    echo "this host's kernel does not execute 32-bit x86 code"
  elif [ ! -x /usr/lib/wine/wine ] || [ ! -e /lib/ld-linux.so.2 ]; then
    echo "this host lacks Wine's 32-bit part (wine32:i386)"
  fi
}

# True when this host runs Wine's 32-bit programs.
mivora_host_runs_32bit() { [ -z "$(mivora_no_32bit_reason)" ]; }

# Selects and creates a prefix: mivora_use_prefix 32|64
mivora_use_prefix() {
  if [ "$1" = 32 ]; then
    export WINEARCH=win32 WINEPREFIX="$MIVORA_BUILD_DIR/wineprefix32" MIVORA_WINE=/usr/lib/wine/wine
  else
    export WINEARCH=win64 WINEPREFIX="$MIVORA_BUILD_DIR/wineprefix64" MIVORA_WINE=/usr/lib/wine/wine64
  fi
  if [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.mivora-ready" ]; then return 0; fi
  mivora_create_prefix
}

# Creates the prefix $WINEPREFIX afresh.
mivora_create_prefix() {
  echo "setup: creating Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  "$MIVORA_WINE" wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  # There is no sound device here; without drivers the sound calls fail fast.
  "$MIVORA_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.mivora-ready"
}

# Starts one Xvfb for a whole run on a fixed display and exports DISPLAY.
# Parallel displays picked automatically collide, so each caller names its own.
mivora_start_xvfb() {
  local display="$1" size="${2:-1280x1024x24}"
  rm -f "/tmp/.X${display#:}-lock" "/tmp/.X11-unix/X${display#:}" 2>/dev/null || true
  Xvfb "$display" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
  MIVORA_XVFB_PID=$!
  export DISPLAY="$display"
  for _ in $(seq 1 50); do
    if xdpyinfo >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "Xvfb on $display did not start" >&2
  return 1
}

mivora_stop_xvfb() {
  if [ -n "${MIVORA_XVFB_PID:-}" ]; then kill "$MIVORA_XVFB_PID" 2>/dev/null || true; wait "$MIVORA_XVFB_PID" 2>/dev/null || true; fi
  MIVORA_XVFB_PID=
}

# Wine's helper processes (services, explorer with the tray) start with the
# first program; starting them before ctest keeps them from holding its pipes.
mivora_start_wine() {
  wineserver -k 2>/dev/null || true  # a server bound to an old display breaks window creation
  wineserver -p
  "$MIVORA_WINE" cmd /c exit >/dev/null 2>&1 || true
}

mivora_stop_wine() {
  wineserver -k 2>/dev/null || true
}

# For the benchmark scripts: the 64-bit prefix, the display in DISPLAY when
# it answers, else an Xvfb of their own, and Wine (and that Xvfb) stopped
# when the script ends.
mivora_bench_wine() {
  mivora_use_prefix 64
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    trap 'mivora_stop_wine' EXIT
  else
    mivora_start_xvfb "${MIVORA_BENCH_DISPLAY:-:74}"
    trap 'mivora_stop_wine; mivora_stop_xvfb' EXIT
  fi
  mivora_start_wine
}

# A fresh folder C:\NAME in the prefix holding the bar and what it loads, with
# the first start's software search turned off; prints its host path.
mivora_bench_bar_folder() {
  local work="$WINEPREFIX/drive_c/$1"
  rm -rf "$work" && mkdir -p "$work"
  cp "$MIVORA_BUILD_DIR/win64/dist/"{Mivora.exe,Dorvane.dll,hook.dll,logo.bmp} "$work/"
  "$MIVORA_WINE" reg add 'HKLM\SOFTWARE\Keltor\Mivora\1.0' /v FirstRun /d no /f >/dev/null 2>&1
  echo "$work"
}

# A prefix in which the bar may make its first start, whose software search
# walks every fixed drive: Z: (the whole host file system) is dropped and the
# home the user folders link to is a sandbox inside the build folder.
#   mivora_use_sandboxed_prefix NAME 32|64
mivora_use_sandboxed_prefix() {
  if [ "$2" = 32 ]; then
    export WINEARCH=win32 MIVORA_WINE=/usr/lib/wine/wine
  else
    export WINEARCH=win64 MIVORA_WINE=/usr/lib/wine/wine64
  fi
  export WINEPREFIX="$MIVORA_BUILD_DIR/$1"
  # The display's key stays reachable from the sandbox home.
  export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
  export HOME="$MIVORA_BUILD_DIR/wine-sandbox-home"
  mkdir -p "$HOME"
  [ -f "$WINEPREFIX/.mivora-ready" ] || mivora_create_prefix
  rm -f "$WINEPREFIX/dosdevices/z:" "$WINEPREFIX/dosdevices/z::"
}

# The software search's test prefix for programs of the bitness $1 (32|64).
mivora_use_search_prefix() { mivora_use_sandboxed_prefix "wineprefix-search$1" "$1"; }
