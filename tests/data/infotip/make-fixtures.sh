#!/bin/sh
# Regenerates the info-tip fixtures with Debian tools, so that the readers are
# tested on bytes that other programs wrote:
#   zip/      archives made by Info-ZIP zip 3.0 (package zip)
#   version/  RT_VERSION resources of Wine's own DLLs (packages wine32, icoutils)
#             and of VERSIONINFO scripts compiled by binutils windres
#             (package binutils-mingw-w64-i686)
#   html/     the first 768 bytes (what an info tip reads) of HTML pages that
#             Debian packages ship: base-passwd, zlib1g-dev, libxslt1-dev,
#             ocl-icd-libopencl1, nodejs, python3
# Usage: tests/data/infotip/make-fixtures.sh
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

need() {
    command -v "$1" >/dev/null 2>&1 || { echo "missing $1 (apt-get install $2)" >&2; exit 1; }
}
need zip zip
need unzip unzip
need wrestool icoutils
need i686-w64-mingw32-windres binutils-mingw-w64-i686

export TZ=UTC
stamp=202401020304.05

# --- ZIP archives ---------------------------------------------------------
mkdir -p "$here/zip"
z="$here/zip"
rm -f "$z"/*.zip
mkdir "$work/z" && cd "$work/z"
. "$here/../fixture-files.sh"
for i in 1 2 3; do echo "file $i" > "f$i.txt"; done
numbered_files 'e%02d.txt' 25
# A name of 300 bytes (a path through two long folder names) and names in
# code page 932 whose trail bytes are 0x5C: 0x83 0x5C and 0x95 0x5C.
long=$(long_path_file d e f)
sjis1=$(printf 'x\203\134.txt')
sjis2=$(printf 'a\225\134')
echo sjis > "$sjis1"
echo sjis > "$sjis2"
touch -t $stamp -- * "$long" "${long%%/*}" "${long%/*}"

# Extra fields (UT and ux) are written by default.
zip -q "$z/three.zip" f1.txt f2.txt f3.txt
# Without extra fields.
zip -q -X "$z/twenty.zip" $(seq -f 'e%02g.txt' 1 20)
zip -q -X "$z/twentyfive.zip" $(seq -f 'e%02g.txt' 1 25)
# Local headers without sizes: a data descriptor follows each entry.
zip -q -fd "$z/data-descriptor.zip" f1.txt f2.txt f3.txt
# Zip64 forced: local sizes 0xFFFFFFFF, the real ones in a Zip64 extra
# field, and a Zip64 end record that holds the directory's offset.
zip -q -fz "$z/zip64.zip" f1.txt f2.txt
# Standard input to a file: the entry "-" with Zip64 local sizes.
echo x | zip -q - - > "$z/stdin.zip"
# Standard input to a pipe: nothing can be sought back, so every entry is
# streamed with a data descriptor.
echo x | zip -q - - | cat > "$z/stdin-streamed.zip"
zip -q - f1.txt f2.txt f3.txt | cat > "$z/streamed.zip"
# An archive whose only entry was deleted: just the end record.
zip -q "$z/empty.zip" f1.txt
zip -q -d "$z/empty.zip" f1.txt 2>/dev/null
zip -q -D "$z/long-name.zip" "$long"
zip -q "$z/cp932-names.zip" "$sjis1" "$sjis2"
# The "PK00" marker in front of an archive, with and without descriptors.
{ printf 'PK00'; cat "$z/three.zip"; } > "$z/spanned.zip"
{ printf 'PK00'; cat "$z/data-descriptor.zip"; } > "$z/spanned-descriptor.zip"
# Cut inside the data of the third entry: its header and name are whole.
off3=$(unzip -Z -v "$z/three.zip" | awk '/offset of local header/ {n++; if (n == 3) print $NF}')
head -c $((off3 + 30 + 6 + 28 + 3)) "$z/three.zip" > "$z/truncated.zip"

# --- Version resources ----------------------------------------------------
wine_dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
[ -d "$wine_dlls" ] || { echo "missing $wine_dlls (apt-get install wine32)" >&2; exit 1; }
mkdir -p "$here/version"
v="$here/version"
rm -f "$v"/*.ver
wrestool -x --raw --type=16 "$wine_dlls/shell32.dll" -o "$v/wine-shell32.ver"
wrestool -x --raw --type=16 "$wine_dlls/npmshtml.dll" -o "$v/wine-npmshtml.ver"
# kernel32 carries one resource per language; 17 (Japanese) names its string
# table in lower case ("041104b0").
wrestool -x --raw --type=16 --language=17 "$wine_dlls/kernel32.dll" -o "$v/wine-kernel32-ja.ver"

# The data of the first resource of a .res file: after the empty leading
# entry (32 bytes) come DataSize and HeaderSize, then the header and data.
res_data() {
    size=$(od -An -tu4 -j32 -N4 "$1" | tr -d ' ')
    header=$(od -An -tu4 -j36 -N4 "$1" | tr -d ' ')
    dd if="$1" bs=1 skip=$((32 + header)) count="$size" status=none
}
windres_ver() {  # name code-page, script on standard input
    cat > "$work/$1.rc"
    i686-w64-mingw32-windres -c "$2" -O res "$work/$1.rc" "$work/$1.res"
    res_data "$work/$1.res" > "$v/$1.ver"
}
# Japanese description in code page 932.
printf '1 VERSIONINFO\nFILEVERSION 1,0,0,0\nBEGIN\n BLOCK "StringFileInfo"\n BEGIN\n  BLOCK "041103A4"\n  BEGIN\n   VALUE "FileDescription", "\223\372\226\173\214\352 tool"\n   VALUE "Comments", ""\n  END\n END\n BLOCK "VarFileInfo"\n BEGIN\n  VALUE "Translation", 0x411, 932\n END\nEND\n' \
    | windres_ver windres-cp932 932
# Accented description in code page 1252.
printf '1 VERSIONINFO\nFILEVERSION 1,0,0,0\nBEGIN\n BLOCK "StringFileInfo"\n BEGIN\n  BLOCK "040904E4"\n  BEGIN\n   VALUE "FileDescription", "Caf\351 r\351sum\351"\n  END\n END\n BLOCK "VarFileInfo"\n BEGIN\n  VALUE "Translation", 0x409, 1252\n END\nEND\n' \
    | windres_ver windres-cp1252 1252
# The translation names a table that the resource does not have.
printf '1 VERSIONINFO\nFILEVERSION 1,0,0,0\nBEGIN\n BLOCK "StringFileInfo"\n BEGIN\n  BLOCK "040904B0"\n  BEGIN\n   VALUE "FileDescription", "Unreachable"\n  END\n END\n BLOCK "VarFileInfo"\n BEGIN\n  VALUE "Translation", 0x409, 1252\n END\nEND\n' \
    | windres_ver windres-no-table 1252
# Two translations, each with its table: the first pair counts.
printf '1 VERSIONINFO\nFILEVERSION 1,0,0,0\nBEGIN\n BLOCK "StringFileInfo"\n BEGIN\n  BLOCK "040904B0"\n  BEGIN\n   VALUE "FileDescription", "English"\n  END\n  BLOCK "040704B0"\n  BEGIN\n   VALUE "FileDescription", "Deutsch"\n  END\n END\n BLOCK "VarFileInfo"\n BEGIN\n  VALUE "Translation", 0x407, 1200, 0x409, 1200\n END\nEND\n' \
    | windres_ver windres-two-translations 1252
# No VarFileInfo at all.
printf '1 VERSIONINFO\nFILEVERSION 1,0,0,0\nBEGIN\n BLOCK "StringFileInfo"\n BEGIN\n  BLOCK "040904B0"\n  BEGIN\n   VALUE "FileDescription", "No translation"\n  END\n END\nEND\n' \
    | windres_ver windres-no-translation 1252

# Cross-check: what an independent PE reader finds in the same DLLs.
if python3 -c 'import pefile' 2>/dev/null; then
    for dll in shell32.dll npmshtml.dll; do
        python3 - "$wine_dlls/$dll" <<'EOF'
import sys, pefile
pe = pefile.PE(sys.argv[1], fast_load=True)
pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY['IMAGE_DIRECTORY_ENTRY_RESOURCE']])
for info in pe.FileInfo[0]:
    for table in getattr(info, 'StringTable', []):
        print(sys.argv[1], table.LangID.decode(), table.entries.get(b'FileDescription', b'').decode())
EOF
    done
fi

# --- HTML pages -----------------------------------------------------------
mkdir -p "$here/html"
h="$here/html"
rm -f "$h"/*.html
page() {  # fixture-name path package
    [ -f "$2" ] || { echo "missing $2 (apt-get install $3)" >&2; exit 1; }
    head -c 768 "$2" > "$h/$1"
}
page base-passwd.html /usr/share/doc/base-passwd/users-and-groups.html base-passwd
page zlib-how.html /usr/share/doc/zlib1g-dev/examples/zlib_how.html zlib1g-dev
page libxslt-extra.html /usr/share/doc/libxslt1-dev/html/html/libxslt-extra.html libxslt1-dev
page libopencl.html /usr/share/doc/ocl-icd-libopencl1/html/libOpenCL.html ocl-icd-libopencl1
page nodejs-zlib.html /usr/share/doc/nodejs/api/zlib.html nodejs
page python3-index.html /usr/share/doc/python3/index.html python3

echo "fixtures written under $here"
