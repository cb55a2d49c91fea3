#!/usr/bin/env bash
# Start-up benchmark (not a test): median time from process start to the first
# painted main window, for tallymax.exe, a minimal Win32 window program and the
# minimal window with as many bare child windows as Tallymax's main window, in
# interleaved runs under the same Wine; then tallymax.exe's resident memory.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/bench_preamble.sh
tools/install-deps.sh
bench_build
$probe_cxx -mwindows -o "$out/minimal_window.exe" tools/bench/minimal_window.cpp
$probe_cxx -mwindows -o "$out/bare_keypad.exe" tools/bench/bare_keypad.cpp
$probe_cxx -o "$out/startup_probe.exe" tools/bench/startup_probe.cpp
bench_session wine-bench
cp build/windows/tallymax.exe "$out/minimal_window.exe" "$out/bare_keypad.exe" "$work/"
runs=${RUNS:-15}
probe() { wine_text "$out/startup_probe.exe" "$@"; }
tallymax=$(winepath -w "$work/tallymax.exe")
# The bare window gets exactly as many children as Tallymax's main window has.
children=$(probe 0 "$tallymax" FORM_TALLYMAX_FORM1_CLASS)
echo "tallymax.exe main window: $children child windows"
export BARE_CHILDREN=$children
probe "$runs" "$tallymax" FORM_TALLYMAX_FORM1_CLASS \
    "$(winepath -w "$work/minimal_window.exe")" MinimalBenchWindow \
    "$(winepath -w "$work/bare_keypad.exe")" BareKeypadWindow
# Wine's process keeps the Linux pid it started with; another tallymax.exe on the
# machine (another tree's tests) is neither measured nor stopped.
pid=$(cd "$work" && { wine tallymax.exe </dev/null >/dev/null 2>&1 & echo $!; })
sleep 3
if kill -0 "$pid" 2>/dev/null; then
    echo "tallymax.exe resident memory: $(awk '/VmRSS/ {print $2, $3}' /proc/"$pid"/status)"
    kill "$pid" 2>/dev/null || true
fi
echo "tallymax.exe size: $(stat -c %s build/windows/tallymax.exe) bytes"
