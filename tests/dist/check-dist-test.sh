#!/bin/bash
# The dist check on small programs of its own: one importing a runtime function
# the oldest targets lack is refused, as a program and as a self-extractor
# stub; one importing only old functions passes.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
# file | body of main | what the check must say ("" to pass)
while IFS='|' read -r name body want; do
  rm -rf "$work/dist" && mkdir "$work/dist"
  printf '#include <malloc.h>\n#include <stdio.h>\n#include <sys/stat.h>\n#include <time.h>\nint main(void) { %s return 0; }\n' \
    "$body" >"$work/p.c"
  i686-w64-mingw32-gcc -O1 -o "$work/dist/$name" "$work/p.c" || { fail=1; continue; }
  out=$(bash "$(dirname "$0")/check-dist.sh" "$work/dist" 2>&1) && got="" || got="$out"
  [[ "$got" == *"$want"* && ( -n "$want" || -z "$got" ) ]] || { echo "FAIL $name: want '$want', got: $out"; fail=1; }
done <<'EOF'
Mivora.exe|struct _stat64 s; _fstat64(0, &s);|Mivora.exe imports _fstat64 from msvcrt.dll
sfx.bin|free(_aligned_malloc(64, 32));|sfx.bin imports _aligned_malloc from msvcrt.dll
plain.exe|struct stat s; stat("x", &s); printf("%ld", (long)time(0));|
EOF
exit $fail
