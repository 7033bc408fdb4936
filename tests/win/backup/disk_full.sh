#!/bin/bash
# A backup onto a drive that fills up half-way (DiskFullTest in
# backup_tests.exe): the old backup copies there must survive byte for byte,
# with no temporary file left beside them, and a file that fits still arrives.
# The drive is a 4 MB tmpfs mapped to R: in the prefix; where this machine
# does not allow the mount, the test is skipped (exit 77).
#   disk_full.sh WINE BACKUP_TESTS_EXE
set -euo pipefail
wine=$1
tests=$2
prefix=${WINEPREFIX:-$HOME/.wine}
work=$(mktemp -d "$prefix/drive_c/backup-full.XXXXXX")
small="$work/small"
mkdir -p "$small"
if ! mount -t tmpfs -o size=4m tmpfs "$small" 2>/dev/null; then
  rm -rf "$work"
  echo "SKIP: this machine does not allow mounting a small drive"
  exit 77
fi
trap 'umount "$small"; rm -f "$prefix/dosdevices/r:"; rm -rf "$work" "$work.log"' EXIT
ln -sfn "$small" "$prefix/dosdevices/r:"
fail() { echo "FAIL: $*" >&2; exit 1; }

# Old copies of 3 MB leave 1 MB free; every newer, larger version and the new
# 2 MB file must fail, the 10 KB note must arrive.
old="$small/bk/proj"
src="$work/src/proj"
mkdir -p "$old/sub" "$src/sub"
for f in a.bin b.bin sub/c.bin; do
  head -c 1000000 /dev/urandom >"$old/$f"
  head -c 1500000 /dev/urandom >"$src/$f"
done
touch -d '2020-01-01' "$old/a.bin" "$old/b.bin" "$old/sub/c.bin"
head -c 2000000 /dev/urandom >"$src/new.bin"
head -c 10000 /dev/urandom >"$src/note.txt"
sums() { (cd "$1" && find . -type f -exec sha256sum {} + | sort -k2); }
before=$(sums "$old")

MIVORA_BACKUP_FULL="C:\\$(basename "$work")\\src\\proj\\" MIVORA_BACKUP_FULL_TO='R:\bk\' \
  "$wine" "$tests" --gtest_filter=DiskFullTest.* >"$work.log" 2>&1 || { cat "$work.log"; fail "the run on a full drive"; }
grep -q "SKIPPED" "$work.log" && { cat "$work.log"; fail "the test did not see the drive"; }
after=$(sums "$old" | grep -v ' ./note.txt$')
[ "$before" = "$after" ] || { diff <(echo "$before") <(echo "$after"); fail "an old backup copy changed"; }
cmp -s "$src/note.txt" "$old/note.txt" || fail "the file that fits did not arrive"
[ "$(find "$small" -type f | wc -l)" = 4 ] || { find "$small" -type f; fail "files left beside the old copies"; }
echo "old copies survive a full drive; the file that fits arrived"
