#!/bin/bash
# The dist check on small 32-bit programs of its own: one importing a runtime
# function the oldest targets lack is refused, as a program and as a
# self-extractor stub, and one importing only old functions passes.
#   check-dist-test.sh
set -u
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
# file name | body of main | what the check must say ("" to pass)
while IFS='|' read -r name body want; do
  rm -rf "$work/dist" && mkdir "$work/dist"
  printf '#include <malloc.h>\n#include <stdio.h>\n#include <sys/stat.h>\n#include <time.h>\n%s\n' \
    "int main(void) { $body return 0; }" >"$work/p.c"
  i686-w64-mingw32-gcc -O1 -o "$work/dist/$name" "$work/p.c" || { echo "FAIL cannot build $name"; fail=1; continue; }
  out=$(bash "$here/check-dist.sh" "$work/dist" 2>&1)
  rc=$?
  if [ -z "$want" ]; then
    [ $rc = 0 ] && echo "ok   $name passes" || { echo "FAIL $name refused: $out"; fail=1; }
  elif [ $rc != 0 ] && grep -qF "$want" <<<"$out"; then
    echo "ok   $name refused: $want"
  else
    echo "FAIL $name not refused for '$want': $out"
    fail=1
  fi
done <<'EOF'
Mivora.exe|struct _stat64 s; _fstat64(0, &s);|Mivora.exe imports _fstat64 from msvcrt.dll
sfx.bin|free(_aligned_malloc(64, 32));|sfx.bin imports _aligned_malloc from msvcrt.dll
plain.exe|struct stat s; stat("x", &s); printf("%ld", (long)time(0));|
EOF
exit $fail
