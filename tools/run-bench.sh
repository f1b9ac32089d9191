#!/bin/bash
# Builds the native benchmarks optimised and without sanitizers, runs them,
# then runs the Windows benchmarks under Wine. Prints the figures.
set -u
. "$(dirname "$0")/wineenv.sh"
export WINEPREFIX="$JW_WINE_DIR/tests"
OUT="$JW_BUILD/bench"

cmake -S "$JW_ROOT" -B "$OUT" -DJW_BENCH=ON -DJW_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$OUT" -j "$(nproc)" || exit 1

status=0
for exe in "$OUT"/bench_*; do
    [ -x "$exe" ] || continue
    echo "== $(basename "$exe")"
    "$exe" || status=1
done

# Windows-side benchmarks, built in the Windows tree this host runs, under Wine.
shopt -s nullglob
wbench=("$JW_WIN_TREE"/bench/*.exe)
if [ ${#wbench[@]} -gt 0 ]; then
    trap 'jw_stop_wine; jw_stop_xvfb' EXIT
    jw_start_xvfb || exit 1
    jw_say_arch "Windows benchmarks"
    jw_ensure_prefix
    for exe in "${wbench[@]}"; do
        echo "== $(basename "$exe") (Wine)"
        (cd "$(dirname "$exe")" && timeout 1800 "$JW_WINE" "$exe") || status=1
    done
fi
exit $status
