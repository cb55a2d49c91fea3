#!/usr/bin/env bash
# Start-up benchmark (not a test) with a 60 MB settings file: median time from
# process start to the first painted main window, for the built tallymax.exe and for
# an anchor exe given as $1 (for example the build of an earlier commit), in
# interleaved rounds of the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
anchor=${1:?usage: tools/bench_large_settings.sh ANCHOR.exe}
cmake --build --preset windows -j2 --target tallymax >/dev/null
out=build/bench
mkdir -p "$out"
x86_64-w64-mingw32-g++-posix -O2 -static -s -o "$out/startup_probe.exe" tools/bench/startup_probe.cpp
export WINE_SESSION_DIR=$PWD/build/wine-bench
source tools/wine-session.sh
work=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$work"' EXIT
wine_session_start
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
rounds=${ROUNDS:-5}
for exe in new anchor; do  # warm-up: the first start normalises the file
    wine "$out/startup_probe.exe" "$(winepath -w "$work/$exe/tallymax.exe")" FORM_TALLYMAX_FORM1_CLASS 1 >/dev/null
done
for r in $(seq "$rounds"); do
    for exe in new anchor; do
        ms=$(wine "$out/startup_probe.exe" "$(winepath -w "$work/$exe/tallymax.exe")" \
            FORM_TALLYMAX_FORM1_CLASS 1 | tr -d '\r' | sed -n 's/.*median \([0-9.]*\) ms.*/\1/p')
        echo "$exe $ms"
    done
done | tee "$out/large_settings.txt"
for exe in new anchor; do
    sort -n <(awk -v e="$exe" '$1 == e {print $2}' "$out/large_settings.txt") |
        awk -v e="$exe" '{v[NR]=$1} END {printf "%s: median %.1f ms over %d runs\n", e, v[int((NR+1)/2)], NR}'
done
