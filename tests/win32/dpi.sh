#!/bin/bash
# The scaling tests, first at 96 DPI in the prefix the other Windows tests
# share, where they also write down how many lines the note list shows, then
# at 144 DPI in a prefix of its own, where they compare. Uses the display in
# DISPLAY, or a private Xvfb without one.
set -u
. "$(dirname "$0")/../../tools/wineenv.sh"
WORK="$JW_WINE_DIR/dpi"
rm -rf "$WORK"
if [ -z "${DISPLAY:-}" ]; then
    trap 'jw_stop_xvfb' EXIT
    jw_start_xvfb || exit 1
fi
jw_ensure_prefix "$JW_WINE_DIR/tests"
jw_fresh_prefix "$WORK/prefix144"
jw_set_dpi "$WORK/prefix144" 144
# Drive Z: reaches the host's files from both prefixes.
export JW_DPI_REFERENCE="Z:${WORK//\//\\}\\lines-at-96.txt"

status=0
for prefix in "$JW_WINE_DIR/tests" "$WORK/prefix144"; do
    echo "== in ${prefix#$JW_ROOT/}"
    (cd "$JW_WIN_TREE/tests" && WINEPREFIX="$prefix" timeout 400 "$JW_WINE" test_dpi.exe) || status=1
done
WINEPREFIX="$WORK/prefix144" timeout 30 wineserver -k 2>/dev/null
exit $status
