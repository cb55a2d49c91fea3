#!/usr/bin/env bash
# Tape journal benchmark (not a test), under Wine:
#  1. tape lines added one by one ("Feed", 100,000 per round) with the journal on and
#     with it turned off ("KeepTape=0"), interleaved rounds: median time per line;
#  2. start-up with a journal of 100,000 lines against start-up without one,
#     interleaved runs: median time to the painted main window (as bench_startup.sh);
#  3. start-up with 100,000 lines and the state of the open calculation after every
#     second line, as a day of use writes it, against the same lines without states.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/bench_preamble.sh
tools/install-deps.sh
bench_build
$probe_cxx -o "$out/startup_probe.exe" tools/bench/startup_probe.cpp
$probe_cxx -o "$out/journal_probe.exe" tools/bench/journal_probe.cpp
bench_session wine-bench
for f in kept off restored plain stated; do
    mkdir -p "$work/$f"
    cp build/windows/tallymax.exe "$work/$f/"
done
printf '[Tape]\r\nKeepTape=0\r\n' >"$work/off/Tallymax.ini"
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "%d.00 +\n", i }' >"$work/restored/Tallymax.tape"
python3 - "$work/stated/Tallymax.tape" <<'PY'
import sys
state = ("\0calc1\t" + "\t".join(["00000000000080DE0540"] * 3) +
         "\t+\t3\t1\t0\t0\t2\t666.66\t AVG = 222.22\t  3 Items\n")
with open(sys.argv[1], "w", encoding="latin-1") as f:
    for i in range(100000):
        f.write("%d.00 +\n" % i)
        if i % 2:
            f.write(state)
PY
win() { winepath -w "$1"; }
lines=${LINES_PER_ROUND:-100000}
echo "== start-up with a 100,000-line journal, then without one as the anchor"
wine_text "$out/startup_probe.exe" "${RUNS:-15}" \
    "$(win "$work/restored/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS \
    "$(win "$work/plain/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS
echo "== start-up with 100,000 lines and 50,000 state records, then the lines alone as the anchor"
wine_text "$out/startup_probe.exe" "${RUNS:-15}" \
    "$(win "$work/stated/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS \
    "$(win "$work/restored/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS
echo "== adding tape lines (journal on, then off as the anchor)"
wine_text "$out/journal_probe.exe" "${ROUNDS:-3}" "$lines" \
    "$(win "$work/kept/tallymax.exe")" "$(win "$work/off/tallymax.exe")"
lines_left=$(wc -l <"$work/restored/Tallymax.tape")
echo "journal after the start-up runs: $lines_left lines (unchanged: nothing was added)"
