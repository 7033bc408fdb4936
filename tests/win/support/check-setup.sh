# Sourced by the scripts that check, with tools nobody here wrote, what the
# programs leave under Wine: a fresh folder `work` in the prefix's C: drive
# (gone when the script ends, read-only files and all), its name `name` and
# its path as the programs see it, `win`; `fail` ends the check.
#   source .../check-setup.sh LABEL
prefix=${WINEPREFIX:-$HOME/.wine}
work=$(mktemp -d "$prefix/drive_c/$1.XXXXXX")
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
name=$(basename "$work")
win="C:\\$name"
fail() { echo "FAIL: $*" >&2; exit 1; }

# run_artifacts WINE TEST_EXE FILTER: the tests that write their outputs into
# the work folder; their log is shown only when they fail.
run_artifacts() {
  MIVORA_ARTIFACT_DIR="$win" "$1" "$2" --gtest_filter="$3" >"$work.log" 2>&1 || {
    cat "$work.log"; rm -f "$work.log"; exit 1; }
  rm -f "$work.log"
}
