#!/usr/bin/env bash
# Start-up benchmark (not a test) with a 60 MB settings file: median time from
# process start to the first painted main window, for the built tallymax.exe and for
# an anchor exe given as $1 (for example the build of an earlier commit), interleaved
# in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
anchor=${1:?usage: tools/bench_large_settings.sh ANCHOR.exe}
source tools/bench_preamble.sh
bench_build >/dev/null
$probe_cxx -o "$out/startup_probe.exe" tools/bench/startup_probe.cpp
bench_session wine-bench
mkdir -p "$work/new" "$work/anchor"
cp build/windows/tallymax.exe "$work/new/"
cp "$anchor" "$work/anchor/tallymax.exe"
# Every key present and normalised, then a large section of other keys.
python3 - "$work/new/Tallymax.ini" <<'PY'
import sys
with open(sys.argv[1], "w", newline="") as f:
    f.write("[Main Settings]\r\n")
    f.write("[Other]\r\n")
    row = "K{0}=" + "x" * 50 + "\r\n"
    size = 0
    i = 0
    while size < 60 * 1024 * 1024:
        s = row.format(i)
        f.write(s)
        size += len(s)
        i += 1
PY
cp "$work/new/Tallymax.ini" "$work/anchor/Tallymax.ini"
runs=${RUNS:-5}
# One warm-up run each (the first start normalises the file), then the measured runs,
# interleaved by the probe; it prints each program's median.
probe() {
    wine_text "$out/startup_probe.exe" "$1" \
        "$(winepath -w "$work/new/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS \
        "$(winepath -w "$work/anchor/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS
}
probe 1 >/dev/null
# The probe names each program by its window class, in the order given.
probe "$runs" | awk '{ sub(/^[^:]*/, NR == 1 ? "this build" : "anchor"); print }'

