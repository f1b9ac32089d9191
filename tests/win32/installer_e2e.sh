#!/bin/bash
# End-to-end tests of the setup file: runs each test of the driver program
# (its first argument) in a fresh Wine prefix, a clean machine of its own,
# and reports. Uses the display in DISPLAY, or a private Xvfb without one.
#   installer_e2e.sh <setup_e2e.exe> [test name ...]
set -u
. "$(dirname "$0")/../../tools/wineenv.sh"

driver=$1
shift
tests=("$@")
if [ ${#tests[@]} -eq 0 ]; then
    tests=(InstallReinstallAndUninstall RefusedDeclinedAndCancelledSetups ADamagedSetupChangesNothing
           LinksAndFoldersValuesLeadNowhereElse AShortWriteStopsTheInstall
           ARunningProgramThatDoesNotEndStopsTheSetup)
fi

if [ -z "${DISPLAY:-}" ]; then
    trap 'jw_stop_xvfb' EXIT
    jw_start_xvfb || exit 1
fi

status=0
for name in "${tests[@]}"; do
    prefix="$JW_WINE_DIR/e2e-$name"
    start=$(date +%s)
    jw_fresh_prefix "$prefix"
    # JW_WINE: the test of a full disk starts the setup through the host.
    WINEPREFIX="$prefix" JW_WINE="$JW_WINE" timeout 240 "$JW_WINE" "$driver" --gtest_filter="SetupE2E.$name" \
        --gtest_brief=1
    result=$?
    # Whatever the test left running in its prefix ends with it.
    WINEPREFIX="$prefix" timeout 30 wineserver -k 2>/dev/null
    WINEPREFIX="$prefix" timeout 30 wineserver -w 2>/dev/null
    if [ $result -eq 0 ]; then
        echo "installer_e2e: $name passed in $(( $(date +%s) - start )) s"
        rm -rf "$prefix"
    else
        echo "installer_e2e: $name FAILED (exit $result); its prefix stays in ${prefix#$JW_ROOT/}"
        status=1
    fi
done
exit $status
