#!/bin/bash
# Runs the clock tests that read the machine's own zone under the Unix time
# zone $1, telling them the zone and the offset that GNU date (the IANA data)
# gives for it now:
#   run-in-zone.sh ZONE WINE TEST_EXE
set -e
zone=$1
shift
# Without the zone's data both date and Wine would quietly fall back to UTC
# and agree on nothing worth checking.
if [ ! -f "/usr/share/zoneinfo/$zone" ]; then
  echo "no time zone data for $zone (install tzdata)" >&2
  exit 1
fi
export TZ=$zone
MIVORA_EXPECTED_OFFSET=$(date +%z)
MIVORA_ZONE=$zone
export MIVORA_EXPECTED_OFFSET MIVORA_ZONE
exec "$@" --gtest_filter='LocalZone*'
