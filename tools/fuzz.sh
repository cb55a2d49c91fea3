#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a while (seconds, default 20) on a copy of
# its seed corpus in the tree; prints each target's executions and coverage. A target
# whose property fails stops with its input saved as build/fuzz/crash-*; the script
# then fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
status=0
for target in build/fuzz/fuzz/*_fuzz; do
    name=$(basename "$target")
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
    log=build/fuzz/$name.log
    if "$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix=build/fuzz/ "$work" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
        cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
        echo "$name: $runs runs, coverage $cov, no finding"
    else
        echo "$name: FAILED"
        grep -E 'property failed|ERROR|SUMMARY|runtime error' "$log" | head -5
        status=1
    fi
    rm -rf "$work"
done
exit $status
