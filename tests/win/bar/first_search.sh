#!/bin/bash
# The bar's first start on a prefix of its own (no Z: drive, a sandbox home)
# with a D: drive and a few program folders: the software search files the
# programs the table knows into their groups, names one after the Start
# menu's shortcut to it, and a second start searches no more. The prefix is
# of the programs' bitness (32 or 64), so that this script's registry
# queries read the view the bar writes.
#   first_search.sh SOURCE_DIR BUILD_DIR DIST_DIR TEST_DIR BITS
set -euo pipefail
SRC=$1 BUILD=$2 DIST=$3 TESTS=$4 BITS=$5
source "$SRC/scripts/wine-env.sh" "$BUILD"
mivora_use_search_prefix "$BITS"
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
C="$WINEPREFIX/drive_c"
rm -rf "$C/mivora" "$C/Apps" "$C/mivora-tools" "$BUILD/search-d"
mkdir -p "$C/mivora" "$C/Apps/Games" "$C/Apps/Paint" "$BUILD/search-d/Tools/Python" "$BUILD/search-d/Junk"
cp "$DIST/"{Mivora.exe,Dorvane.dll,hook.dll,logo.bmp,qapp.idx,qapp.dat} "$C/mivora/"
touch "$C/Apps/Games/SPIDER.EXE" "$C/Apps/Paint/mspaint.exe" "$BUILD/search-d/Tools/Python/PYTHON.EXE" \
  "$BUILD/search-d/Tools/Python/pythonw.exe" "$BUILD/search-d/Junk/UNKNOWN.EXE" "$BUILD/search-d/Junk/python.txt"
ln -sfn "$BUILD/search-d" "$WINEPREFIX/dosdevices/d:"
# A Start-menu shortcut to the paint program ("program 0"), made by the
# benchmark helper through the shell's link object.
mkdir -p "$C/mivora-tools"
cp "$TESTS/bar_bench.exe" "$C/mivora-tools/"
"$MIVORA_WINE" 'C:\mivora-tools\bar_bench.exe' unlink >/dev/null 2>&1 || true
"$MIVORA_WINE" 'C:\mivora-tools\bar_bench.exe' links 1 0 'C:\Apps\Paint\mspaint.exe'
"$MIVORA_WINE" reg delete 'HKLM\SOFTWARE\Keltor\Mivora\1.0' /v FirstRun /f >/dev/null 2>&1 || true
"$MIVORA_WINE" reg add 'HKLM\Software\Wine\Drives' /v 'd:' /d hd /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w

INI="$C/mivora/mivora.ini"
fail=0
expect() { # section key value [other value]
  local got
  got=$(tr -d '\r' <"$INI" 2>/dev/null | awk -v s="[$1]" -v k="$2" '$0==s{on=1;next} /^\[/{on=0} on && index($0,k"=")==1{print substr($0,length(k)+2)}')
  if [ "$got" != "$3" ] && [ "$got" != "${4-$3}" ]; then echo "FAIL [$1] $2: got '$got', want '$3'"; fail=1; else echo "ok   [$1] $2=$got"; fi
}
wait_for() { # seconds test...
  local n=$1; shift
  for _ in $(seq 1 "$((n * 4))"); do if "$@"; then return 0; fi; sleep 0.25; done
  return 1
}

"$MIVORA_WINE" 'C:\mivora\Mivora.exe' >/dev/null 2>&1 &
# The renaming after the shortcuts is the search's last step.
if ! wait_for 120 grep -qs '^program 0=' "$INI"; then echo "FAIL the search filed nothing in time"; cat "$INI" 2>/dev/null; exit 1; fi
sleep 1
# Drives are walked by their lower-case letters; the last path found wins.
expect appGame "Spider Solitaire" 'c:\Apps\Games\SPIDER.EXE'
expect appGraph "program 0" 'C:\Apps\Paint\mspaint.exe'
expect appGraph "Paint" ''
expect appDeve "Python" 'd:\Tools\Python\PYTHON.EXE'
expect appDeve "Python (windowed)" 'd:\Tools\Python\pythonw.exe'
# A 64-bit prefix holds notepad in both system folders, and which comes last
# follows the host's directory order; a 32-bit one only in system32.
for group in 'appDoc Notepad' 'appDeve Text Editor'; do
  expect ${group%% *} "${group#* }" 'c:\windows\system32\notepad.exe' 'c:\windows\syswow64\notepad.exe'
done
expect appMisc "UNKNOWN" ''
if [ "$("$MIVORA_WINE" reg query 'HKLM\SOFTWARE\Keltor\Mivora\1.0' /v FirstRun 2>/dev/null | tr -d '\r' | awk '/FirstRun/{print $3}')" != no ]; then
  echo "FAIL FirstRun is not set"; fail=1
fi
wineserver -k 2>/dev/null || true
wineserver -w

# A second start runs no search: the groups it would fill stay empty.
rm -f "$INI"
"$MIVORA_WINE" 'C:\mivora\Mivora.exe' >/dev/null 2>&1 &
sleep 10
if grep -q '^\[appGame\]' "$INI" 2>/dev/null; then echo "FAIL a second start searched again"; fail=1; else echo "ok   no search on the second start"; fi
exit $fail
