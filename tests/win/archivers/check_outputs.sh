#!/bin/bash
# The archives the stand-ins write, checked by tools nobody here wrote, and
# the archives those tools write, unpacked through the stand-ins: every tree
# that comes out must equal the one that went in (diff -r).
#   check_outputs.sh WINE ARCHIVER_CALL DIST_DIR
set -euo pipefail
wine=$1
call=$2
dist=$3
source "$(dirname "$0")/../support/check-setup.sh" archivers-check
cd "$work"

# archiver DLL EXPORT COMMAND: calls the export as the archive library does.
archiver() { printf '%s\n' "$3" | "$wine" "$call" "$1" "$2" >call.log 2>&1 || { cat call.log; fail "$2 $3"; }; }
same() { diff -r src "$1" >/dev/null || { diff -r src "$1" | head; fail "$1 differs from the source"; }; }

# Folders nested and empty, an empty file, blanks, names past ustar's 100
# bytes, text, noise and zeros.
long=$(printf 'l%.0s' $(seq 90))
mkdir -p "src/Folder One/Nested/deeper" "src/Empty Folder" "src/$long"
seq 1 60000 >"src/Folder One/Nested/deeper/numbers.txt"
head -c 300000 /dev/urandom >"src/Folder One/noise.bin"
head -c 1000000 /dev/zero >"src/Folder One/Nested/zeros.bin"
: >"src/Folder One/empty file.dat"
echo "a name of ninety characters, twice" >"src/$long/$long.txt"
echo top >src/top.txt
# The library's list: a selected folder as "folder\*.*", a file by its name.
printf 'Folder One\\*.*\r\nEmpty Folder\\*.*\r\n%s\\*.*\r\ntop.txt\r\n' "$long" >list.txt

# LZH, each method at both header levels: lhasa tests and unpacks them.
methods=(-lh0- - -lh5- -lh6- -lh7-)
for method in 0 2 3 4; do
  expected=${methods[$method]}
  for level in 1 2; do
    a="${expected//-/}-$level"
    archiver UNLHA32.dll Unlha "u -c  -a1 -gn2 -jp1 -+ -rx -jm$method -h$level \"$win\\$a\" \"$win\\src\\\" \"@$win\\list.txt\""
    lha t "$a.lzh" >lha.log 2>&1 || { cat lha.log; fail "lha t $a.lzh"; }
    lha v "$a.lzh" >lha.log && grep -q -- "$expected .*/numbers.txt" lha.log || fail "$a.lzh does not use $expected"
    [ "$(od -An -tu1 -j20 -N1 "$a.lzh" | tr -d ' ')" = "$level" ] || fail "$a.lzh is not at header level $level"
    mkdir "x-$a" && (cd "x-$a" && lha xq "../$a.lzh") && same "x-$a"
  done
done

# TAR and TAR.GZ: GNU tar lists and unpacks them, gzip tests the compression.
archiver tar32.dll Tar "-cf \"$win\\t.tar\" -o \"$win\\src\\\" \"@$win\\list.txt\""
archiver tar32.dll Tar "-cz9 -f \"$win\\t.tgz\" -o \"$win\\src\\\" \"@$win\\list.txt\""
tar -tvf t.tar >/dev/null && tar -tzvf t.tgz >tar.log && grep -q "$long/$long.txt" tar.log || fail "tar cannot list the archives"
gzip -t t.tgz || fail "gzip -t t.tgz"
mkdir x-tar x-tgz && tar -xf t.tar -C x-tar && tar -xzf t.tgz -C x-tgz && same x-tar && same x-tgz

# ZIP by zip.exe, and the self-extractor the library makes by putting sfx.bin in front.
(cd src && "$wine" "$dist/zip.exe" -r "$win\\t" "Folder One\\*.*" "Empty Folder\\*.*" "$long\\*.*" top.txt) \
  >zip.log 2>&1 || { cat zip.log; fail "zip.exe"; }
cat "$dist/sfx.bin" t.zip >t-sfx.exe
unzip -tq t.zip >/dev/null && zipinfo t.zip >/dev/null || fail "unzip -t / zipinfo t.zip"
python3 -m zipfile -t t.zip >/dev/null && python3 -m zipfile -t t-sfx.exe >/dev/null || fail "python zipfile -t"
7z t t.zip >/dev/null && 7z t t-sfx.exe >/dev/null || fail "7z t"
# A prefix the offsets do not allow for is only warned about (exit code 1).
rc=0; unzip -t t-sfx.exe >sfx.log 2>&1 || rc=$?
[ "$rc" -le 1 ] && grep -q "No errors detected" sfx.log || { cat sfx.log; fail "unzip -t t-sfx.exe"; }
mkdir x-zip && unzip -q t.zip -d x-zip && same x-zip
"$wine" t-sfx.exe -d "$win\\sfx-out" || fail "the ZIP self-extractor"
same sfx-out

# The LZH self-extractor made by "s" rebuilds the tree under Wine.
archiver UNLHA32.dll Unlha "s -gw -x1 \"$win\\lh5-2.lzh\" \"$win\\sfx dir\\\" "
"$wine" "sfx dir/lh5-2.exe" -d "$win\\lzh-sfx-out" || fail "the LZH self-extractor"
same lzh-sfx-out

# Round trips through the stand-ins alone.
for a in lh0-1 lh5-2 lh6-1 lh7-2; do
  archiver UNLHA32.dll Unlha "e -xcm0 -gn2 -jp1 -+ \"$win\\$a.lzh\" \"$win\\rt-$a\\\""
  same "rt-$a"
done
archiver tar32.dll Tar "-xvf \"$win\\t.tgz\" -o \"$win\\rt-tgz\\\""
archiver tar32.dll Tar "-xvf \"$win\\t.tar\" -o \"$win\\rt-tar\\\""
archiver UNZIP32.dll UnZip "-x \"$win\\t.zip\" \"$win\\rt-zip\\\""
same rt-tgz && same rt-tar && same rt-zip

# Archives by Info-ZIP, GNU tar and Python unpack through the stand-ins.
(cd src && zip -qr ../info.zip .)
tar -czf gnu.tgz -C src .
python3 - <<'EOF'
import os, zipfile
with zipfile.ZipFile("py.zip", "w", zipfile.ZIP_DEFLATED) as z:
    for folder, dirs, files in os.walk("src"):
        for name in sorted(dirs) + sorted(files):
            path = os.path.join(folder, name)
            z.write(path, os.path.relpath(path, "src"))
EOF
archiver UNZIP32.dll UnZip "-x \"$win\\info.zip\" \"$win\\from-info\\\""
archiver UNZIP32.dll UnZip "-x \"$win\\py.zip\" \"$win\\from-py\\\""
archiver tar32.dll Tar "-xvf \"$win\\gnu.tgz\" -o \"$win\\from-gnu\\\""
same from-info && same from-py && same from-gnu

# A 3 GiB file, mostly holes, through TAR.GZ: sizes past 32 bits survive both
# ways, and the unpacked copy is written with holes too.
mkdir big
truncate -s 3G big/huge.bin
for at in 0 $((2 ** 31 + 5)) $((3 * 2 ** 30 - 1)); do
  printf 'M' | dd of=big/huge.bin bs=1 seek="$at" conv=notrunc status=none
done
archiver tar32.dll Tar "-cz1 -f \"$win\\big.tgz\" -o \"$win\\big\\\" huge.bin"
tar -tzvf big.tgz >tar.log && grep -q " 3221225472 .* huge.bin" tar.log || { cat tar.log; fail "tar lists a wrong size"; }
archiver tar32.dll Tar "-xvf \"$win\\big.tgz\" -o \"$win\\big-out\\\""
[ "$(stat -c %s big-out/huge.bin)" = 3221225472 ] || fail "the unpacked file has the wrong size"
for at in 0 $((2 ** 31 + 5)) $((3 * 2 ** 30 - 1)); do
  [ "$(dd if=big-out/huge.bin bs=1 skip="$at" count=1 status=none)" = M ] || fail "byte $at differs"
done
[ "$(du -k big-out/huge.bin | cut -f1)" -lt 65536 ] || fail "the unpacked file is not sparse"
echo "archives checked by lhasa, GNU tar, gzip, unzip, zipinfo, python zipfile and 7z"
