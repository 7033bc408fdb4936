#!/bin/sh
# Regenerates the archives the shell-extension tests give to the info tips,
# all written by Info-ZIP zip 3.0 (Debian package zip):
#   three.zip        three entries with extra fields (the default)
#   twentyfive.zip   25 entries, no extra fields
#   twenty.zip       exactly 20 entries
#   descriptor.zip   data descriptors after the data (zip -fd), no sizes in the local headers
#   piped.zip        written from a pipe (zip -), local headers with Zip64 sizes
#   empty.zip        an archive whose last entry was deleted: no entries at all
#   longname.zip     one entry whose name is 300 bytes long
# Usage: tests/data/explorer/make-fixtures.sh
set -eu

command -v zip >/dev/null 2>&1 || { echo "missing zip (apt-get install zip)" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TZ=UTC
cd "$work"

. "$here/../fixture-files.sh"
numbered_files 'entry%02d.txt' 25
for n in alpha.txt beta.htm gamma.dll; do echo "$n" > "$n"; done
long=$(long_path_file a b c)
touch -t 202401020304.05 -- *.txt *.htm *.dll "$long"

rm -f "$here"/*.zip
zip -q "$here/three.zip" alpha.txt beta.htm gamma.dll
zip -q -X "$here/twentyfive.zip" $(seq -f 'entry%02g.txt' 1 25)
zip -q -X "$here/twenty.zip" $(seq -f 'entry%02g.txt' 1 20)
zip -q -X -fd "$here/descriptor.zip" alpha.txt beta.htm gamma.dll
cat alpha.txt | zip -q -X - - > "$here/piped.zip"
zip -q -X "$here/empty.zip" alpha.txt
zip -q -d "$here/empty.zip" alpha.txt
zip -q -X "$here/longname.zip" "$long"
