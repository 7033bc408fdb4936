#!/bin/bash
# Checks what Pelmit writes with Debian's own readers, outside Wine:
# cabextract for the cabinet volumes of the stand-in archiver, lnkinfo for
# the shortcut.  Usage: check_outputs.sh WINE TEST_EXE
set -eu
wine=$1
exe=$2
source "$(dirname "$0")/../support/check-setup.sh" splitjoin-check

run_artifacts "$wine" "$exe" 'Artifacts.*'
cd "$work"

# A spanned set of three volumes, none larger than 1440 KB, that restores the source.
[ -f source1.cab ] && [ -f source2.cab ] && [ -f source3.cab ] || fail "volumes missing: $(ls)"
[ ! -e source4.cab ] || fail "a fourth volume"
for v in source1.cab source2.cab source3.cab; do
  size=$(stat -c %s "$v")
  [ "$size" -le $((1440 * 1024)) ] || fail "$v has $size bytes"
done
# Wine's cabinet library names volume 1 as every volume's predecessor, so the
# set is read starting at volume 1.
cabextract -q -t source1.cab || fail "cabextract -t"
mkdir extracted
cabextract -q -d extracted source1.cab || fail "cabextract"
[ "$(md5sum <source.bin)" = "$(md5sum <extracted/source.bin)" ] || fail "extracted bytes differ"

# The shortcut: target, working folder and description.
lnkinfo "My Tool.lnk" >lnk.txt || fail "lnkinfo"
grep -q "Local path[[:space:]]*: C:\\\\$name\\\\Tools\\\\app.exe\$" lnk.txt || { cat lnk.txt; fail "target"; }
grep -q "Working directory[[:space:]]*: C:\\\\$name\\\\Tools\\\\\$" lnk.txt || { cat lnk.txt; fail "working directory"; }
grep -q "Description[[:space:]]*: My Tool\$" lnk.txt || { cat lnk.txt; fail "description"; }
echo "cabinet set and shortcut verified"
