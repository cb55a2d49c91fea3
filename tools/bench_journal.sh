#!/usr/bin/env bash
# Tape journal benchmark (not a test), under Wine:
#  1. tape lines added one by one ("Feed", 100,000 per round) with the journal on and
#     with it turned off ("KeepTape=0"), interleaved rounds: median time per line;
#  2. start-up with a journal of 100,000 lines against start-up without one,
#     interleaved runs: median time to the painted main window (as bench_startup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/bench_preamble.sh
tools/install-deps.sh
bench_build
$probe_cxx -o "$out/startup_probe.exe" tools/bench/startup_probe.cpp
$probe_cxx -o "$out/journal_probe.exe" tools/bench/journal_probe.cpp
bench_session wine-bench
for f in kept off restored plain; do
    mkdir -p "$work/$f"
    cp build/windows/tallymax.exe "$work/$f/"
done
printf '[Tape]\r\nKeepTape=0\r\n' >"$work/off/Tallymax.ini"
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "%d.00 +\n", i }' >"$work/restored/Tallymax.tape"
win() { winepath -w "$1"; }
lines=${LINES_PER_ROUND:-100000}
echo "== start-up with a 100,000-line journal, then without one as the anchor"
wine_text "$out/startup_probe.exe" "${RUNS:-15}" \
    "$(win "$work/restored/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS \
    "$(win "$work/plain/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS
echo "== adding tape lines (journal on, then off as the anchor)"
wine_text "$out/journal_probe.exe" "${ROUNDS:-3}" "$lines" \
    "$(win "$work/kept/tallymax.exe")" "$(win "$work/off/tallymax.exe")"
lines_left=$(wc -l <"$work/restored/Tallymax.tape")
echo "journal after the start-up runs: $lines_left lines (unchanged: nothing was added)"
