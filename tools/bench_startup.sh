#!/usr/bin/env bash
# Start-up benchmark (not a test): median time from process start to the first
# painted main window, for tallymax.exe and for a minimal Win32 window program, in
# the same run under the same Wine, and for the minimal window with 48 bare child
# windows (the keypad's count); then tallymax.exe's resident memory.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target tallymax
out=build/bench
mkdir -p "$out"
cxx="x86_64-w64-mingw32-g++-posix -O2 -static -s"
$cxx -mwindows -o "$out/minimal_window.exe" tools/bench/minimal_window.cpp
$cxx -mwindows -o "$out/bare_keypad.exe" tools/bench/bare_keypad.cpp
$cxx -o "$out/startup_probe.exe" tools/bench/startup_probe.cpp
export WINE_SESSION_DIR=$PWD/build/wine-bench
source tools/wine-session.sh
work=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$work"' EXIT
wine_session_start
cp build/windows/tallymax.exe "$out/minimal_window.exe" "$out/bare_keypad.exe" "$work/"
runs=${RUNS:-15}
# One warm-up run each, then the measured runs.
wine "$out/startup_probe.exe" "$(winepath -w "$work/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS 1 >/dev/null
wine "$out/startup_probe.exe" "$(winepath -w "$work/minimal_window.exe")" MinimalBenchWindow 1 >/dev/null
wine "$out/startup_probe.exe" "$(winepath -w "$work/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS "$runs" | tr -d '\r'
wine "$out/startup_probe.exe" "$(winepath -w "$work/minimal_window.exe")" MinimalBenchWindow "$runs" | tr -d '\r'
wine "$out/startup_probe.exe" "$(winepath -w "$work/bare_keypad.exe")" BareKeypadWindow 1 >/dev/null
wine "$out/startup_probe.exe" "$(winepath -w "$work/bare_keypad.exe")" BareKeypadWindow "$runs" | tr -d '\r'
(cd "$work" && wine tallymax.exe </dev/null >/dev/null 2>&1 &)
sleep 3
pid=$(pgrep -f 'tallymax.exe' | head -1 || true)
if [ -n "$pid" ]; then
    echo "tallymax.exe resident memory: $(awk '/VmRSS/ {print $2, $3}' /proc/"$pid"/status)"
    kill "$pid" 2>/dev/null || true
fi
echo "tallymax.exe size: $(stat -c %s build/windows/tallymax.exe) bytes"
