#!/usr/bin/env bash
# Runs a Windows test binary under Wine for ctest. Now and then, on a loaded machine,
# Wine exits at once with an error status before the binary has run at all: nothing is
# printed. Such a launch says nothing about the test, so it is made again (twice at
# most, with a note on stderr). A binary that ran and printed anything, pass or fail,
# is reported as it is, never run again.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2 3; do
    wine "$@" 2>&1 | tee "$out"
    status=${PIPESTATUS[0]}
    if [ "$status" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -eq 3 ]; then
        exit "$status"
    fi
    echo "wine-launch: Wine exited with status $status before $1 printed anything;" \
        "launching it again" >&2
    sleep 1
done
