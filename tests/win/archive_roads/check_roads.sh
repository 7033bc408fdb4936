#!/bin/bash
# The context menu's "Compress and Email" and "Decompress" under Wine, their
# outputs read by tools nobody here wrote: Python's email parser takes the
# message apart, unzip opens the attachment, diff compares the trees.
#   check_roads.sh WINE TEST_EXE
set -euo pipefail
wine=$1
exe=$2
source "$(dirname "$0")/../support/check-setup.sh" roads-check

cd "$work"
mkdir -p "src/Folder One/deeper" "src/Empty Folder"
seq 1 20000 >"src/Folder One/deeper/numbers.txt"
head -c 100000 /dev/urandom >"src/Folder One/noise.bin"
: >"src/empty file.dat"
(cd src && zip -qr ../info.zip .)

MIVORA_ARTIFACT_DIR="$win" "$wine" "$exe" --gtest_filter='*FromTheContextMenu' >road.log 2>&1 || {
  cat road.log; fail "the road under Wine"; }
grep -q "1 test.* PASSED\|\[  PASSED  \] 1 test" road.log || { cat road.log; fail "the road was skipped"; }

# The message: from the default account (none here: an empty sender), unsent,
# one attachment named after the archive, whose bytes unzip into the selected tree.
python3 - "mail temp/temp.eml" attachment.zip <<'PY' || fail "the message"
import email, email.policy, sys
with open(sys.argv[1], "rb") as f:
    message = email.message_from_binary_file(f, policy=email.policy.default)
assert message["X-Unsent"] == "1", message["X-Unsent"]
assert [(a.display_name, a.addr_spec) for a in message["From"].addresses] == [("", "<>")], message["From"]
parts = [p for p in message.iter_attachments()]
assert len(parts) == 1 and parts[0].get_filename() == "src.zip", [p.get_filename() for p in parts]
open(sys.argv[2], "wb").write(parts[0].get_payload(decode=True))
PY
mkdir mailed && unzip -q attachment.zip -d mailed || fail "unzip of the attachment"
diff -r src "mailed/$name/src" || fail "the mailed tree differs"
mkdir munpacked && (cd munpacked && munpack -q "../mail temp/temp.eml" >/dev/null 2>&1)
cmp munpacked/src.zip attachment.zip && [ ! -e "mail temp/src.zip" ] || fail "munpack reads another attachment, or the archive stayed"

# Debian's zip -r archive, unpacked through the dialog, is the tree again.
diff -r src unzipped || fail "the unpacked tree differs"
echo "mail and unpack roads checked by Python's email parser, munpack, unzip and diff"
