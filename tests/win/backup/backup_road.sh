#!/bin/bash
# The real Dorvane.dll's window backs a tree up and restores it into a fresh
# folder (DorvaneDllTest in backup_tests.exe); what arrives must equal the
# source by diff -r, with the same modification times. Then a tree with a
# folder link and letter-case twins (FolderLinkTest).
#   backup_road.sh WINE BACKUP_TESTS_EXE
set -euo pipefail
wine=$1
tests=$2
source "$(dirname "$0")/../support/check-setup.sh" backup-road

# Nested folders, a long name, dot files and folders, an empty file, a
# read-only file, and a file of 5 GB that is sparse on the host.
src="$work/live/proj"
long=$(printf 'n%.0s' $(seq 100))  # the whole path stays within MAX_PATH
mkdir -p "$src/a/b/c" "$src/.git/refs" "$src/$long" "$src/empty"
seq 1 20000 >"$src/a/b/c/numbers.txt"
head -c 200000 /dev/urandom >"$src/a/noise.bin"
echo ref >"$src/.git/HEAD"
echo dot >"$src/.htaccess"
: >"$src/a/empty.dat"
echo long >"$src/$long/$long.txt"
echo keep >"$src/readonly.txt"
chmod a-w "$src/readonly.txt"
truncate -s 5G "$src/a/sparse.bin"
printf 'end' | dd of="$src/a/sparse.bin" bs=1 seek=$((5 * 1024 * 1024 * 1024 - 3)) conv=notrunc status=none
touch -d '2020-02-29 12:34:56' "$src/a/b/c/numbers.txt"

MIVORA_BACKUP_ROAD="$win" "$wine" "$tests" --gtest_filter=DorvaneDllTest.* ||
  fail "the window's backup and restore"
times() { (cd "$1" && find . -type f -printf '%P %s %TY-%Tm-%Td %TH:%TM:%.2TS\n' | sort); }
for copy in "$work/bk/proj" "$work/restored/proj"; do
  diff -r "$src" "$copy" >/dev/null || { diff -r "$src" "$copy" | head; fail "$copy differs from the source"; }
  diff <(times "$src") <(times "$copy") || fail "$copy has other sizes or times"
done
# Wine keeps the read-only attribute as the file's missing write permissions.
for copy in "$work/bk/proj" "$work/restored/proj"; do
  [ "$(stat -c %a "$copy/readonly.txt")" = "$(stat -c %a "$src/readonly.txt")" ] ||
    fail "$copy/readonly.txt lost its read-only attribute"
done

# What Wine cannot make: a folder link back up the tree, and two names that
# differ only in letter case, of which the backup already holds one.
links="$work/links"
mkdir -p "$links/src/p" "$links/bk/src"
ln -s . "$links/src/p/loop"
echo f >"$links/src/p/f.txt"; echo upper >"$links/src/Report.txt"; echo lower >"$links/src/report.txt"
echo old >"$links/bk/src/report.txt"
MIVORA_BACKUP_LINKS="$win\\links" "$wine" "$tests" --gtest_filter=FolderLinkTest.* ||
  fail "links and letter-case twins"
[ "$(cd "$links/bk/src" && find . -type f | sort | xargs cat | tr '\n' ' ')" = "f lower " ] ||
  { find "$links/bk"; fail "the backup entered the link or a twin landed on the other's copy"; }
echo "backup and restore equal the source; links and letter-case twins are passed over"
