#!/bin/bash
# Runs the clock tests that read the machine's own zone under the Unix time
# zone $1, telling them the offset that GNU date (the IANA data) gives for it:
#   run-in-zone.sh ZONE WINE TEST_EXE
set -e
zone=$1
shift
export TZ=$zone
MIVORA_EXPECTED_OFFSET=$(date +%z)
export MIVORA_EXPECTED_OFFSET
exec "$@" --gtest_filter='LocalZone*'
