#!/bin/bash
# Starts Jotwell under Wine with the project's prefix. With a display in
# DISPLAY it runs there until closed; without one it starts a private Xvfb
# with a Wine desktop, saves a screenshot after a few seconds and stops.
set -u
. "$(dirname "$0")/wineenv.sh"

EXE="$JW_WIN_TREE/jotwell.exe"
[ -f "$EXE" ] || { echo "run: $EXE is missing; run make first" >&2; exit 1; }
jw_say_arch "Jotwell"

if [ -n "${DISPLAY:-}" ] && [ -z "${JW_HEADLESS:-}" ]; then
    jw_ensure_prefix
    echo "run: starting Jotwell on $DISPLAY"
    exec "$JW_WINE" explorer /desktop=Jotwell,1024x768 \
        "$("$JW_WINE" winepath -w "$EXE" 2>/dev/null || echo "$EXE")"
fi

trap 'jw_stop_wine; jw_stop_xvfb' EXIT
jw_start_xvfb || exit 1
jw_ensure_prefix
echo "run: no display; starting Jotwell on a private Xvfb ($DISPLAY)"
# A first start asks whether to make a diary; with nobody to answer, the
# run answers No, so that the picture shows the main window.
first=0
"$JW_WINE" reg query 'HKLM\Software\Korvane\Jotwell\Books' /v Count >/dev/null 2>&1 || first=1
(cd "$JW_WIN_TREE" && "$JW_WINE" jotwell.exe >/dev/null 2>&1 &)
if [ $first = 1 ]; then
    sleep 5
    xdotool key n
fi
sleep "${JW_RUN_SECONDS:-8}"
SHOT="$JW_BUILD/screenshot.png"
import -window root "$SHOT" && echo "run: screenshot saved to ${SHOT#$JW_ROOT/}"
