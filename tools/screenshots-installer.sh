#!/bin/bash
# Saves pictures of the install wizard and of the progress dialog during the
# copy to the folder given (installer-licence.png, installer-progress.png),
# installing the setup file in a fresh Wine prefix. Uses the display in
# DISPLAY, or a private Xvfb without one.
#   tools/screenshots-installer.sh <output folder>
set -u
. "$(dirname "$0")/wineenv.sh"

out=${1:?usage: screenshots-installer.sh <output folder>}
mkdir -p "$out"
out=$(cd "$out" && pwd)
driver="$JW_WIN_TREE/tests/setup_e2e.exe"
if [ ! -f "$driver" ]; then
    echo "screenshots-installer: $driver is missing; run make first" >&2
    exit 1
fi

prefix="$JW_WINE_DIR/screenshots-installer"
shots=$(mktemp -d)
cleanup() {
    WINEPREFIX="$prefix" timeout 30 wineserver -k 2>/dev/null
    WINEPREFIX="$prefix" timeout 30 wineserver -w 2>/dev/null
    rm -rf "$prefix" "$shots"
    jw_stop_xvfb
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
    jw_start_xvfb || exit 1
fi

jw_fresh_prefix "$prefix"
# The driver writes BMP files through the Z: drive, which maps the Unix root.
JW_SCREENSHOT_DIR="Z:${shots//\//\\}" WINEPREFIX="$prefix" timeout 180 \
    "$JW_WINE" "$driver" --gtest_filter=Screenshots.LicenceWizardAndProgress >/dev/null 2>&1

status=0
for name in installer-licence installer-progress; do
    if [ -s "$shots/$name.bmp" ] && convert "$shots/$name.bmp" "$out/$name.png"; then
        echo "screenshots-installer: saved $out/$name.png"
    else
        echo "screenshots-installer: no picture of $name" >&2
        status=1
    fi
done
exit $status
