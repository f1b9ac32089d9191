#!/bin/bash
# Runs the native tests, then the Windows tests under Wine inside a private
# Xvfb: the shipped 32-bit tree first, then the 64-bit one, which catches
# pointer truncation that the 32-bit one cannot. A host that runs no 32-bit
# programs runs the 64-bit tree only. Exits non-zero when any test fails.
# "win32" runs only the Windows tests.
set -u
. "$(dirname "$0")/wineenv.sh"

status=0
if [ "${1:-}" != win32 ]; then
    echo "== Native tests (build/host)"
    (cd "$JW_BUILD/host" && ctest --output-on-failure --timeout 600) || status=1
fi

trap 'jw_stop_wine; jw_stop_xvfb' EXIT
jw_start_xvfb || exit 1
for arch in $(jw_host_arches); do
    jw_use_arch "$arch"
    # The tests reset the program's settings: they get a prefix of their
    # own, so the one "make run" uses keeps its books.
    export WINEPREFIX="$JW_WINE_DIR/tests"
    jw_say_arch "Windows tests"
    jw_ensure_prefix
    (cd "$JW_WIN_TREE" && ctest --output-on-failure --timeout 900) || status=1
    jw_stop_wine
done
exit $status
