#!/bin/bash
# Saves pictures of the program's windows into build/screenshots/, running
# them on a private Xvfb with a Wine desktop in a prefix of their own.
# DPI=144 (or any other) shows the program at that display scale, on a
# screen grown in proportion, into build/screenshots/144dpi/; the pictures
# of other parts of the program are taken at 96 DPI only.
set -u
. "$(dirname "$0")/wineenv.sh"
DPI=${DPI:-96}
OUT="$JW_BUILD/screenshots"
[ "$DPI" = 96 ] || OUT="$OUT/${DPI}dpi"
mkdir -p "$OUT"
export WINEPREFIX="$JW_WINE_DIR/shots"

trap 'jw_stop_wine; jw_stop_xvfb' EXIT
jw_start_xvfb "$(jw_screen_size "$DPI")" || exit 1
jw_fresh_prefix "$WINEPREFIX"
[ "$DPI" = 96 ] || jw_set_dpi "$WINEPREFIX" "$DPI"

status=0
jw_say_arch "Screenshots at $DPI DPI"
(cd "$JW_WIN_TREE" && timeout 300 "$JW_WINE" jw_shots.exe "$("$JW_WINE" winepath -w "$OUT")" >/dev/null 2>&1) || status=1

# Further pictures from other parts of the program.
for part in "$(dirname "$0")"/screenshots-*.sh; do
    [ -x "$part" ] && [ "$DPI" = 96 ] || continue
    "$part" "$OUT" || status=1
done

for bmp in "$OUT"/*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $(ls "$OUT"/*.png 2>/dev/null | wc -l) pictures in ${OUT#$JW_ROOT/}"
exit $status
