#!/bin/bash
# The archives the archive library made through its pack dialog (the
# Artifacts tests), checked by tools nobody here wrote: every tree that
# comes out must equal the selection that went in (diff -r).
#   check_outputs.sh WINE TEST_EXE DIST_DIR
set -euo pipefail
wine=$1
exe=$2
source "$(dirname "$0")/../support/check-setup.sh" "archive check"

run_artifacts "$wine" "$exe" 'Artifacts.*'
cd "$work"
# The selection, as it is to come out of every archive.
mkdir src && cp -r "my data" "top file.txt" src/
same() { diff -r "$work/src" "$1" >/dev/null || { diff -r "$work/src" "$1" | head; fail "$1 differs from the selection"; }; }
cd out

for a in pack lh7; do
  lha t "$a.lzh" >lha.log 2>&1 || { cat lha.log; fail "lha t $a.lzh"; }
  mkdir "x-$a" && (cd "x-$a" && lha xq "../$a.lzh") && same "x-$a"
done
lha v lh7.lzh | grep -q -- "-lh7- .*/a.txt" || fail "lh7.lzh does not use -lh7-"
"$wine" lzhsfx.exe -d "$win\\out\\x-lzhsfx" >/dev/null 2>&1 || fail "the LZH self-extractor"
same x-lzhsfx

tar -tvf pack.tar >/dev/null && tar -tzvf pack.tgz | grep -q "my data/sub/deeper/c.txt" || fail "tar cannot list"
gzip -t pack.tgz || fail "gzip -t pack.tgz"
mkdir x-tar x-tgz && tar -xf pack.tar -C x-tar && tar -xzf pack.tgz -C x-tgz && same x-tar && same x-tgz

# ZIP: the subfolders of a selected folder are in (-r). zip.exe is handed
# full paths, and stores them without the drive.
unzip -tq pack.zip >/dev/null && zipinfo pack.zip >/dev/null || fail "unzip -t / zipinfo pack.zip"
unzip -q pack.zip -d x-zip && same "x-zip/$(basename "$work")"
python3 -m zipfile -t zipsfx.exe >/dev/null || fail "python zipfile -t zipsfx.exe"
# unzip reads past the stub, warning about it with status 1.
status=0; unzip -tq zipsfx.exe >/dev/null 2>&1 || status=$?
[ "$status" -le 1 ] || fail "unzip -t zipsfx.exe: $status"
7z t zipsfx.exe >/dev/null || fail "7z t zipsfx.exe"
echo "LZH, LZH self-extractor, TAR, TAR.GZ, ZIP and ZIP self-extractor verified"
