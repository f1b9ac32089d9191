#!/bin/bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# FUZZ_SECONDS sets the time per target (default 60).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/build/fuzz"
SECONDS_PER_TARGET=${FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$OUT" -DJW_FUZZ=ON -DJW_SANITIZE=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$OUT" -j "$(nproc)"

status=0
for exe in "$OUT"/fuzz_*; do
    [ -x "$exe" ] || continue
    name=$(basename "$exe")
    corpus="$OUT/corpus/$name"
    mkdir -p "$corpus"
    seeds="$ROOT/fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
    echo "== $name for ${SECONDS_PER_TARGET}s"
    if ! "$exe" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 "$corpus" 2>&1 | tail -n 12; then
        status=1
    fi
done
exit $status
