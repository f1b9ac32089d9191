#!/bin/bash
# Two computers sharing one book folder: the peer test program runs in two
# Wine prefixes at once, as A and B, on one folder. Run by ctest within the
# display that tools/run-tests.sh started.
set -u
. "$(dirname "$0")/../../tools/wineenv.sh"
TESTS="$JW_WIN_TREE/tests"
WORK="$JW_WINE_DIR/twocomputers"
rm -rf "$WORK"
mkdir -p "$WORK/shared"

for peer in A B; do
    jw_fresh_prefix "$WORK/prefix$peer"
done
shared=$(WINEPREFIX="$WORK/prefixA" "$JW_WINE" winepath -w "$WORK/shared")

for peer in A B; do
    (cd "$TESTS" && WINEPREFIX="$WORK/prefix$peer" JW_PEER_ROLE=$peer JW_SHARED_FOLDER="$shared" \
        timeout 400 "$JW_WINE" test_twocomputers.exe >"$WORK/$peer.log" 2>&1; echo $? >"$WORK/$peer.rc") &
done
wait

status=0
for peer in A B; do
    echo "== computer $peer"
    cat "$WORK/$peer.log"
    [ "$(cat "$WORK/$peer.rc")" = 0 ] || status=1
    WINEPREFIX="$WORK/prefix$peer" timeout 30 wineserver -k 2>/dev/null
done
exit $status
