#!/bin/bash
# The bar's first start on a prefix of its own (no Z: drive, a sandbox home)
# with a D: drive and a few program folders: the software search files the
# programs the table knows into their groups, names one after the Start
# menu's shortcut to it, and a second start searches no more.
#   first_search.sh SOURCE_DIR BUILD_DIR DIST_DIR
set -euo pipefail
SRC=$1 BUILD=$2 DIST=$3
source "$SRC/scripts/wine-env.sh" "$BUILD"
mivora_use_search_prefix
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
C="$WINEPREFIX/drive_c"
rm -rf "$C/mivora" "$C/Apps" "$BUILD/search-d"
mkdir -p "$C/mivora" "$C/Apps/Games" "$C/Apps/Paint" "$BUILD/search-d/Tools/Python" "$BUILD/search-d/Junk"
cp "$DIST/"{Mivora.exe,Dorvane.dll,hook.dll,logo.bmp,qapp.idx,qapp.dat} "$C/mivora/"
touch "$C/Apps/Games/SPIDER.EXE" "$C/Apps/Paint/mspaint.exe" "$BUILD/search-d/Tools/Python/PYTHON.EXE" \
  "$BUILD/search-d/Tools/Python/pythonw.exe" "$BUILD/search-d/Junk/UNKNOWN.EXE" "$BUILD/search-d/Junk/python.txt"
ln -sfn "$BUILD/search-d" "$WINEPREFIX/dosdevices/d:"
# A Start-menu shortcut to the paint program, as a bare shell link that
# names its target by a local path.
PROGRAMS="$C/users/$USER/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
mkdir -p "$PROGRAMS"
python3 - "$PROGRAMS/My Paint.lnk" 'C:\Apps\Paint\mspaint.exe' <<'PY'
import struct, sys
path = sys.argv[2].encode() + b"\0"
clsid = bytes.fromhex("0114020000000000c000000000000046")
header = struct.pack("<I16sIIQQQIIIHH10x", 0x4C, clsid, 0x2, 0, 0, 0, 0, 0, 0, 1, 0, 0)
volume = struct.pack("<IIII", 17, 3, 0, 16) + b"\0"
body = volume + path + b"\0"
info = struct.pack("<IIIIIII", 28 + len(body), 28, 1, 28, 28 + len(volume), 0, 28 + len(volume) + len(path)) + body
open(sys.argv[1], "wb").write(header + info)
PY
"$MIVORA_WINE" reg delete 'HKLM\SOFTWARE\Keltor\Mivora\1.0' /v FirstRun /f >/dev/null 2>&1 || true
"$MIVORA_WINE" reg add 'HKLM\Software\Wine\Drives' /v 'd:' /d hd /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w

INI="$C/mivora/mivora.ini"
fail=0
expect() { # section key value
  local got
  got=$(tr -d '\r' <"$INI" 2>/dev/null | awk -v s="[$1]" -v k="$2" '$0==s{on=1;next} /^\[/{on=0} on && index($0,k"=")==1{print substr($0,length(k)+2)}')
  if [ "$got" != "$3" ]; then echo "FAIL [$1] $2: got '$got', want '$3'"; fail=1; else echo "ok   [$1] $2=$3"; fi
}
wait_for() { # seconds test...
  local n=$1; shift
  for _ in $(seq 1 "$((n * 4))"); do if "$@"; then return 0; fi; sleep 0.25; done
  return 1
}

"$MIVORA_WINE" 'C:\mivora\Mivora.exe' >/dev/null 2>&1 &
# The renaming after the shortcuts is the search's last step.
if ! wait_for 120 grep -q '^My Paint=' "$INI"; then echo "FAIL the search filed nothing in time"; cat "$INI" 2>/dev/null; exit 1; fi
sleep 1
expect appGame "Spider Solitaire" 'C:\Apps\Games\SPIDER.EXE'
expect appGraph "My Paint" 'C:\Apps\Paint\mspaint.exe'
expect appGraph "Paint" ''
expect appDeve "Python" 'D:\Tools\Python\PYTHON.EXE'
expect appDeve "Python (windowed)" 'D:\Tools\Python\pythonw.exe'
expect appDoc "Notepad" 'C:\windows\system32\notepad.exe'
expect appDeve "Text Editor" 'C:\windows\system32\notepad.exe'
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
