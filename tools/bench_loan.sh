#!/usr/bin/env bash
# Loan benchmark (not a test): median time from a click on "Calculate" to a painted
# schedule list, for 360 and for 12,000 payments, against "Clear" in the same run.
# The calculation also writes its tape block and saves the profile, as a click does.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/bench_preamble.sh
tools/install-deps.sh
bench_build
$probe_cxx -o "$out/loan_probe.exe" tools/bench/loan_probe.cpp
bench_session wine-bench-loan
cp build/windows/tallymax.exe "$work/"
printf '[Loan Settings]\r\nName1=Bench\r\n' >"$work/Tallymax.ini"
wine_text "$out/loan_probe.exe" "$(winepath -w "$work/tallymax.exe")" "${RUNS:-21}"
