#!/bin/bash
# Checks the shipped program folder, the self-extractor stubs included: every
# binary is 32-bit x86, imports only system DLLs (nothing of the compiler's
# runtime to ship along) and no function the oldest targets lack, requests no
# execution level, and each DLL exports exactly the names and ordinals listed
# in exports.txt.
#   check-dist.sh DIST_DIR
set -u
dist="$1"
here="$(cd "$(dirname "$0")" && pwd)"
objdump=i686-w64-mingw32-objdump
fail=0
note() { echo "dist: $*"; fail=1; }

shopt -s nullglob nocaseglob
bins=("$dist"/*.exe "$dist"/*.dll "$dist"/*.bin)
[ ${#bins[@]} -gt 0 ] || { echo "dist: no binaries in $dist"; exit 1; }
# The LZH self-extractor stub travels inside UNLHA32.dll: it runs on the
# same machines, so it is checked as a program of its own.
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
unlha=$(find "$dist" -maxdepth 1 -iname unlha32.dll | head -1)
if [ -n "$unlha" ]; then
  wrestool -x --raw --type=10 --name=1 "$unlha" >"$stubs/lzh-stub.bin" 2>/dev/null && [ -s "$stubs/lzh-stub.bin" ] &&
    bins+=("$stubs/lzh-stub.bin") || note "UNLHA32.dll carries no self-extractor stub"
fi

# System DLLs a Windows 9x or NT machine has; anything else must not be needed.
allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll comctl32.dll
 comdlg32.dll winmm.dll version.dll msvcrt.dll shlwapi.dll cabinet.dll uuid.dll msimg32.dll mpr.dll
 hook.dll dorvane.dll cab32.dll unlha32.dll tar32.dll unzip32.dll "
allowed=$(echo "$allowed" | tr '\n' ' ')
for b in "${bins[@]}"; do
  name=$(basename "$b")
  file -b "$b" | grep -q "PE32 executable.*Intel 80386" || note "$name is not a 32-bit x86 program: $(file -b "$b")"
  while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    case "$allowed" in *" $lower "*) ;; *) note "$name imports $dll" ;; esac
  done < <($objdump -p "$b" | sed -n 's/^\s*DLL Name: //p')
done

# Functions newer than the oldest targets (9x, NT 4): one of them in the
# import table and the program does not load there at all.
too_new='^(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|InitOnce.*|.*SRWLock.*|.*ConditionVariable.*|Fls(Alloc|Free|GetValue|SetValue)|GetSystemTimePreciseAsFileTime|CreateSymbolicLink.*|GetFileInformationByHandleEx|GetFileAttributesEx[AW]|SetFilePointerEx|GetFileSizeEx|GetLongPathName[AW]|ReplaceFile[AW]|CreateHardLink[AW]|MoveFileWithProgress[AW])$'
for b in "${bins[@]}"; do
  while read -r fn; do
    note "$(basename "$b") imports $fn, which older Windows lacks"
  done < <($objdump -p "$b" | awk '/^\t[ 0-9a-f]+\t? *[0-9]+ +[A-Za-z_]/{print $NF}' | grep -E "$too_new")
done

# The C runtime's functions that the msvcrt.dll of Windows 9x and NT 4 lacks,
# each with what brings it in; one of them and the program does not load there.
msvcrt_too_new=(
  '_f?stat64|_wstat64'                      # stat()/fstat() with 64-bit times: the C++ library's file streams
  '_ftime64'                                # ftime() with a 64-bit time
  '_(time|localtime|gmtime|mktime|ctime)64' # <time.h> built with a 64-bit time_t
  '_find(first|next)64'                     # _findfirst()/_findnext() with 64-bit times
  '_f?utime64'                              # utime()/futime() with a 64-bit time
  '.+_s'                                    # the bounds-checked functions (strcpy_s, sprintf_s, ...)
  '_aligned_.+'                             # over-aligned new and delete, _aligned_malloc
  '_(get|set)_.+'                           # the later runtimes' accessors (_get_errno, _set_invalid_parameter_handler)
  '___lc_codepage_func'                     # multibyte conversions of a runtime built for a later msvcrt
  '_create_locale'                          # locale objects of the C++ library built for a later msvcrt
  '_strto(i|ui)64'                          # strtoll()/strtoull() and std::stoll of a later msvcrt
)
# In the runtime since its first versions after all.
msvcrt_old='^_get_osfhandle$'
msvcrt_pattern="^($(IFS='|'; echo "${msvcrt_too_new[*]}"))$"
for b in "${bins[@]}"; do
  while read -r fn; do
    note "$(basename "$b") imports $fn from msvcrt.dll, which the runtime of Windows 9x and NT 4 lacks"
  done < <($objdump -p "$b" | awk '/DLL Name:/{dll=tolower($3)} dll=="msvcrt.dll" && /^\t[ 0-9a-f]+\t? *[0-9]+ +[A-Za-z_]/{print $NF}' |
    grep -E "$msvcrt_pattern" | grep -vE "$msvcrt_old" | sort -u)
done

# The mail sender is started with no console and has no window: a console
# program would flash one at every mail.
if [ -f "$dist/Brimo.exe" ]; then
  $objdump -p "$dist/Brimo.exe" | grep -q '^Subsystem.*(Windows GUI)' || note "Brimo.exe is not a windowless GUI program"
fi

# No manifest asks for an execution level: a program that names one loses the
# file virtualization its settings beside it and in the Windows folder need
# on current Windows. Manifests are embedded as plain UTF-8 text.
for b in "${bins[@]}"; do
  grep -qa requestedExecutionLevel "$b" && note "$(basename "$b") has a manifest that requests an execution level"
done

# exports.txt: "<dll> <name> [ordinal]" per line; a DLL listed there must
# export exactly those names (undecorated), with those ordinals where given.
for path in "$dist"/*.dll; do
  dll=$(basename "$path")
  grep -qi "^$dll " "$here/exports.txt" || { note "$dll has no entry in exports.txt"; continue; }
  actual=$(/usr/bin/python3 "$here/exports.py" "$path") || { note "$dll: cannot read exports"; continue; }
  while read -r d sym ord; do
    [ "$(echo "$d" | tr 'A-Z' 'a-z')" = "$(echo "$dll" | tr 'A-Z' 'a-z')" ] || continue
    line=$(echo "$actual" | grep -E "^$sym [0-9]+$")
    [ -n "$line" ] || { note "$dll does not export $sym"; continue; }
    [ -z "${ord:-}" ] || [ "${line#* }" = "$ord" ] || note "$dll exports $sym with ordinal ${line#* }, not $ord"
  done < <(grep -v '^#' "$here/exports.txt")
  while read -r sym ord; do
    grep -qiE "^$dll $sym( |$)" "$here/exports.txt" || note "$dll exports unexpected $sym"
  done <<< "$actual"
done

[ $fail = 0 ] && echo "dist: ${#bins[@]} binaries checked"
exit $fail
