#!/bin/bash
# Runs the native tests, then the Windows tests under Wine inside a private
# Xvfb. Exits non-zero when any test fails. "win32" runs only the latter.
set -u
. "$(dirname "$0")/wineenv.sh"
# The tests reset the program's settings: they get a prefix of their own, so
# the one "make run" uses keeps its books.
export WINEPREFIX="$JW_BUILD/wine/tests"

status=0
if [ "${1:-}" != win32 ]; then
    echo "== Native tests (build/host)"
    (cd "$JW_BUILD/host" && ctest --output-on-failure --timeout 600) || status=1
fi

echo "== Windows tests under Wine (build/win32)"
trap 'jw_stop_wine; jw_stop_xvfb' EXIT
jw_start_xvfb || exit 1
jw_ensure_prefix
(cd "$JW_BUILD/win32" && ctest --output-on-failure --timeout 900) || status=1
exit $status
