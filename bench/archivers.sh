#!/bin/bash
# The archiver stand-ins packing and unpacking a mixed tree under Wine
# (zip.exe and UNZIP32.dll, tar32.dll with gzip -6, UNLHA32.dll -lh5-),
# against Info-ZIP zip -6 -r / unzip and GNU tar czf / tar xzf natively in
# the same run. The tree is made once, deterministically: ~5,000 files,
# ~300 MB of text, program-like binaries and already-compressed data, 100
# files a folder.
#   bench/archivers.sh [BUILD_DIR] [RUNS]
# BUILD_DIR holds win64/ (default: build); the DLLs are called through the
# tests' archiver_call.exe. Prints median wall times (Wine's process start
# included), "speed" = reference time / ours (goal 0.9 or more) and "size" =
# our archive / the reference's (goal within 1%), and each of our runs' peak
# resident memory, Wine's own included. Wine makes every new file dearer than
# the host does, so the same tree copied by Wine's own xcopy is timed too:
# that is this platform's floor for unpacking it ("vs xcopy").
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
runs="${2:-3}"
cd "$root"
source scripts/wine-env.sh "$build" >/dev/null
mivora_use_prefix 64
call="$build/win64/tests/archiver_call.exe"
zipexe="$build/win64/dist/zip.exe"
[ -f "$call" ] && [ -f "$zipexe" ] || { echo "build $call and $zipexe first" >&2; exit 1; }
command -v bc >/dev/null || { echo "bc is needed (apt-get install bc)" >&2; exit 1; }

work="$WINEPREFIX/drive_c/archivers-bench"
win='C:\archivers-bench'
mkdir -p "$work"
cd "$work"
if [ ! -f tree.done ]; then
  rm -rf tree
  python3 - <<'EOF'
import os, random
rng = random.Random(20240601)
words = [bytes(rng.choice(b"etaoinshrdlucmfwyp") for _ in range(rng.randint(2, 9))) for _ in range(4000)]
def text(n):
    out, size = [], 0
    while size < n:
        line = b" ".join(rng.choice(words) for _ in range(rng.randint(4, 14))) + b"\r\n"
        out.append(line)
        size += len(line)
    return b"".join(out)[:n]
def binary(n):
    # Code-like: short runs of a few hundred recurring 16-byte patterns, with noise.
    patterns = [rng.randbytes(16) for _ in range(300)]
    out, size = [], 0
    while size < n:
        piece = rng.choice(patterns) if rng.random() < 0.7 else rng.randbytes(rng.randint(1, 24))
        out.append(piece)
        size += len(piece)
    return b"".join(out)[:n]
kinds = [(".txt", text), (".dll", binary), (".jpg", lambda n: rng.randbytes(n))]
for folder in range(50):
    path = os.path.join("tree", "folder%02d" % folder)
    os.makedirs(path)
    for i in range(100):
        ext, make = kinds[(folder * 100 + i) % 3]
        size = int(rng.paretovariate(1.3) * 8000) if (folder * 100 + i) % 97 else 2_500_000
        with open(os.path.join(path, "file%03d%s" % (i, ext)), "wb") as f:
            f.write(make(min(size, 8_000_000)))
EOF
  touch tree.done
fi
files=$(find tree -type f | wc -l)
mb=$(du -sm --apparent-size tree | cut -f1)

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# timed OUTPUT_VAR COMMAND...: wall seconds; peak memory in KB goes to $peak.
timed() {
  local out=$1
  shift
  sync
  /usr/bin/time -f "%e %M" -o time.log "$@" >/dev/null 2>run.log || { cat run.log; exit 1; }
  read -r seconds peak <time.log
  eval "$out+=(\"$seconds\")"
}
archiver() { printf '%s\n' "$3" | "$MIVORA_WINE" "$call" "$1" "$2"; }
export -f archiver
export call MIVORA_WINE
cat tree/*/* >/dev/null  # the same warm cache for every side

declare -a rz ru rc rx oz ou oc ox lz lu wx
peaks=()
for _ in $(seq "$runs"); do
  rm -rf ref.zip ref-unzip ref.tgz ref-untar ours.zip ours-unzip ours.tgz ours-untar ours.lzh ours-unlha xcopy
  mkdir ref-untar
  timed rz bash -c "cd tree && zip -q -6 -r ../ref.zip ."
  timed ru unzip -q ref.zip -d ref-unzip
  timed rc tar czf ref.tgz -C tree .
  timed rx tar xzf ref.tgz -C ref-untar
  timed oz bash -c "cd tree && \"$MIVORA_WINE\" \"$zipexe\" -r -6 \"$win\\ours\" \"*.*\""; peaks+=("$peak")
  timed ou bash -c "archiver UNZIP32.dll UnZip '-x \"$win\\ours.zip\" \"$win\\ours-unzip\\\"'"; peaks+=("$peak")
  timed oc bash -c "archiver tar32.dll Tar '-cz6 -f \"$win\\ours.tgz\" -o \"$win\\tree\\\" *.*'"; peaks+=("$peak")
  timed ox bash -c "archiver tar32.dll Tar '-xf \"$win\\ours.tgz\" -o \"$win\\ours-untar\\\"'"; peaks+=("$peak")
  timed lz bash -c "archiver UNLHA32.dll Unlha 'u -c -rx -jm2 \"$win\\ours\" \"$win\\tree\\\" *.*'"; peaks+=("$peak")
  timed lu bash -c "archiver UNLHA32.dll Unlha 'e -xcm0 \"$win\\ours.lzh\" \"$win\\ours-unlha\\\"'"; peaks+=("$peak")
  timed wx "$MIVORA_WINE" xcopy /E /I /Q "$win\\tree" "$win\\xcopy"
done
for d in ours-unzip ours-untar ours-unlha; do diff -rq tree "$d" >/dev/null || { echo "$d differs from the tree" >&2; exit 1; }; done

size() { stat -c %s "$1"; }
row() { # name ref-times our-times ref-archive our-archive
  local r o
  r=$(printf '%s\n' $2 | median)
  o=$(printf '%s\n' $3 | median)
  printf '%-14s %8.2f %8.2f %8.1f %8.1f %7.2f' "$1" "$r" "$o" "$(echo "$mb / $r" | bc -l)" "$(echo "$mb / $o" | bc -l)" \
    "$(echo "$r / $o" | bc -l)"
  if [ -n "${4:-}" ]; then
    printf ' %12s %12s %7.4f\n' "$(size "$4")" "$(size "$5")" "$(echo "$(size "$5") / $(size "$4")" | bc -l)"
  else
    printf '\n'
  fi
}
echo "tree: $files files, $mb MB; median of $runs runs"
printf '%-14s %8s %8s %8s %8s %7s %12s %12s %7s\n' step "ref s" "ours s" "ref MB/s" "our MB/s" speed "ref bytes" "our bytes" size
row "zip -6 pack" "${rz[*]}" "${oz[*]}" ref.zip ours.zip
row "zip unpack" "${ru[*]}" "${ou[*]}"
row "  vs xcopy" "${wx[*]}" "${ou[*]}"
row "tgz -6 pack" "${rc[*]}" "${oc[*]}" ref.tgz ours.tgz
row "tgz unpack" "${rx[*]}" "${ox[*]}"
row "  vs xcopy" "${wx[*]}" "${ox[*]}"
# LZH has no native reference: its figures stand beside ZIP's.
row "lh5 pack" "${rz[*]}" "${lz[*]}" ref.zip ours.lzh
row "lh5 unpack" "${ru[*]}" "${lu[*]}"
row "  vs xcopy" "${wx[*]}" "${lu[*]}"
echo "peak resident memory of our runs, Wine included (KB): $(printf '%s\n' "${peaks[@]}" | sort -n | tail -1)"
