#!/usr/bin/env bash
# Loan benchmark (not a test): median time from a click on "Calculate" to a painted
# schedule list, for 360 and for 12,000 payments, against "Clear" in the same run.
# The calculation also writes its tape block and saves the profile, as a click does.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target tallymax
out=build/bench
mkdir -p "$out"
x86_64-w64-mingw32-g++-posix -O2 -static -s -o "$out/loan_probe.exe" tools/bench/loan_probe.cpp
export WINE_SESSION_DIR=$PWD/build/wine-bench-loan
source tools/wine-session.sh
work=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$work"' EXIT
wine_session_start
cp build/windows/tallymax.exe "$work/"
printf '[Loan Settings]\r\nName1=Bench\r\n' >"$work/Tallymax.ini"
wine "$out/loan_probe.exe" "$(winepath -w "$work/tallymax.exe")" "${RUNS:-21}" | tr -d '\r'
