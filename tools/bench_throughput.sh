#!/usr/bin/env bash
# Throughput benchmark (not a test). Every figure is the median of $RUNS (7)
# interleaved runs made in this one run, next to its yardstick:
#  - the client core natively against qvl-server over loopback, 200 MiB and 2 GiB,
#    against iperf3 -l 1M (upload, and -R for the download);
#  - the same client core as a Windows exe under Wine (qvl-client.exe: the socket
#    layer and exchange that tallymax.exe links), against the same iperf3 figures;
#  - folder mode (the window's own write, flush and unbuffered read, under Wine)
#    against dd bs=1M conv=fsync and fio --direct=1 on the same folder. Wine passes
#    no FILE_FLAG_NO_BUFFERING through to Linux, so folder mode's read under Wine
#    may be served from the page cache; the numbers say what they measured;
#  - a 20 MiB server-mode run from connection to the end, against qvl-server and
#    against a server that holds the connection open after the data;
#  - peak memory of a 2 GiB run against a 1 MiB run (native, and the exe under Wine);
#  - the write time against a server that delays its upload OK by 1 s (1 MiB);
#  - the cycle counter's calibrated rate against the performance counter under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-7}
BIG=${BIG_MB:-2048}
FOLDER_MB=${FOLDER_MB:-200}
command -v iperf3 >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq iperf3 >/dev/null
command -v fio >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq fio >/dev/null

cmake --preset native >/dev/null
cmake --build --preset native -j2 --target qvl-server qvl-client qvl-test-peer >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target qvl-client tallymax_core >/dev/null
out=build/bench
mkdir -p "$out"
x86_64-w64-mingw32-g++-posix -O2 -static -s -std=c++17 -D__USE_MINGW_ANSI_STDIO=1 -Isrc \
    -o "$out/throughput_probe.exe" tools/bench/throughput_probe.cpp \
    src/throughput/folder_test_win.cpp src/throughput/counter_sources_win.cpp \
    build/windows/libtallymax_core.a

export WINE_SESSION_DIR=$PWD/build/wine-bench-throughput
source tools/wine-session.sh
work=$(mktemp -d)
folder=${BENCH_FOLDER:-$PWD/build/bench/folder}
mkdir -p "$folder"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wine_session_stop
    rm -rf "$work" "$folder"/NW_Quorvel.dat "$folder"/dd.dat "$folder"/fio.dat
}
trap cleanup EXIT
wine_session_start

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
start_bg() { "$@" </dev/null >/dev/null 2>&1 & pids+=($!); }
wait_port() { for _ in $(seq 100); do (exec 3<>/dev/tcp/127.0.0.1/"$1") 2>/dev/null && return; sleep 0.05; done; }

qvl=$(free_port); start_bg build/native/qvl-server --port "$qvl"
hold=$(free_port); start_bg build/native/qvl-test-peer --port "$hold" --mode hold-open
late=$(free_port); start_bg build/native/qvl-test-peer --port "$late" --mode delay-ok
ip=$(free_port); start_bg iperf3 -s -p "$ip"
for p in $qvl $hold $late $ip; do wait_port "$p"; done
sleep 0.3

# Results as "name value" lines in $work/figures; medians at the end.
rec() { echo "$1 $2" >> "$work/figures"; }
# Runs a command with its output in $work/out and records its peak resident memory
# (polled: Wine's process keeps its Linux pid) as name.
peak_of() {
    local name=$1 p peak=0 r
    shift
    "$@" > "$work/out" & p=$!
    while kill -0 "$p" 2>/dev/null; do
        r=$(awk '/VmRSS/ {print $2}' /proc/"$p"/status 2>/dev/null || true)
        [ "${r:-0}" -gt "$peak" ] && peak=$r
        sleep 0.02
    done
    wait "$p" || true
    rec "$name" "$peak"
}
client() {  # name-prefix exe-kind size port
    local line
    if [ "$2" = native ]; then line=$(build/native/qvl-client 127.0.0.1:"$4" "$3")
    else
        peak_of "$1.winePeakKiB" wine build/windows/qvl-client.exe 127.0.0.1:"$4" "$3"
        line=$(tr -d '\r' < "$work/out")
    fi
    # write S s M MiB/s read S s M MiB/s total S s peak K KiB
    set -- "$1" $line
    rec "$1.write" "$5"; rec "$1.writeSeconds" "$3"; rec "$1.read" "${10}"; rec "$1.total" "${13}"
    [ "${15:-}" = peak ] && [ "${16}" != 0 ] && rec "$1.peakKiB" "${16}"
    return 0
}
iperf() {  # name size extra
    local mbits
    mbits=$(iperf3 -c 127.0.0.1 -p "$ip" -n "$2"M -l 1M $3 -J |
        python3 -c 'import json,sys; print(json.load(sys.stdin)["end"]["sum_received"]["bits_per_second"]/8/1048576)')
    rec "$1" "$mbits"
}
folder_runs() {
    local line
    line=$(wine "$out/throughput_probe.exe" folder "$(winepath -w "$folder")" "$FOLDER_MB" | tr -d '\r')
    set -- $line; rec folder.quorvel.write "$2"; rec folder.quorvel.read "$4"
    sync; echo 3 > /proc/sys/vm/drop_caches 2>/dev/null || true
    local s e
    s=$(date +%s.%N); dd if=/dev/zero of="$folder/dd.dat" bs=1M count="$FOLDER_MB" conv=fsync status=none; e=$(date +%s.%N)
    rec folder.dd.write "$(echo "$FOLDER_MB / ($e - $s)" | bc -l)"
    s=$(date +%s.%N); dd if="$folder/dd.dat" of=/dev/null bs=1M iflag=direct status=none; e=$(date +%s.%N)
    rec folder.dd.read "$(echo "$FOLDER_MB / ($e - $s)" | bc -l)"
    rm -f "$folder/dd.dat"
    for rw in write read; do
        rec folder.fio.$rw "$(fio --name=b --filename="$folder/fio.dat" --rw=$rw --bs=1M --size="$FOLDER_MB"M \
            --direct=1 --ioengine=sync --output-format=json 2>/dev/null |
            python3 -c "import json,sys; print(json.load(sys.stdin)['jobs'][0]['$rw']['bw']/1024)")"
    done
    rm -f "$folder/fio.dat"
}

for run in $(seq "$RUNS"); do
    echo "run $run of $RUNS" >&2
    for size in 200 "$BIG"; do
        client native.$size native "$size" "$qvl"
        iperf iperf.$size.up "$size" ""
        client wine.$size wine "$size" "$qvl"
        iperf iperf.$size.down "$size" "-R"
    done
    client native.1 native 1 "$qvl"
    client wine.1 wine 1 "$qvl"
    client total20.qvl wine 20 "$qvl"
    client total20.hold wine 20 "$hold"
    client late wine 1 "$late"
    folder_runs
    rec calibration.ppm "$(wine "$out/throughput_probe.exe" calibrate | tr -d '\r' | awk '{print $4}')"
done

python3 - "$work/figures" "$BIG" <<'PY'
import sys, statistics, collections
big = sys.argv[2]
v = collections.defaultdict(list)
for line in open(sys.argv[1]):
    k, x = line.split(); v[k].append(float(x))
m = {k: statistics.median(x) for k, x in v.items()}
def row(label, value, unit, note=""):
    print(f"{label:58s} {value:12.3f} {unit} {note}")
print(f"medians of {len(v['native.200.write'])} interleaved runs")
for size in ("200", big):
    up, down = m[f"iperf.{size}.up"], m[f"iperf.{size}.down"]
    row(f"iperf3 -l 1M upload {size} MiB", up, "MiB/s")
    row(f"iperf3 -l 1M -R download {size} MiB", down, "MiB/s")
    for kind in ("native", "wine"):
        w, r = m[f"{kind}.{size}.write"], m[f"{kind}.{size}.read"]
        row(f"{kind} client write {size} MiB", w, "MiB/s", f"({w/up:.2f} of iperf3)")
        row(f"{kind} client read  {size} MiB", r, "MiB/s", f"({r/down:.2f} of iperf3)")
row("20 MiB run, connect to end, qvl-server (exe under Wine)", m["total20.qvl.total"], "s")
row("20 MiB run, connect to end, server holding the connection", m["total20.hold.total"], "s")
row("1 MiB write time, server delaying its OK by 1 s", m["late.writeSeconds"], "s")
row(f"native client peak RSS, {big} MiB run", m[f"native.{big}.peakKiB"] / 1024, "MiB")
row("native client peak RSS, 1 MiB run", m["native.1.peakKiB"] / 1024, "MiB",
    f"(difference {(m[f'native.{big}.peakKiB'] - m['native.1.peakKiB'])/1024:.1f} MiB)")
row(f"exe under Wine peak RSS, {big} MiB run", m[f"wine.{big}.winePeakKiB"] / 1024, "MiB")
row("exe under Wine peak RSS, 1 MiB run", m["wine.1.winePeakKiB"] / 1024, "MiB",
    f"(difference {(m[f'wine.{big}.winePeakKiB'] - m['wine.1.winePeakKiB'])/1024:.1f} MiB)")
for tool in ("quorvel", "dd", "fio"):
    row(f"folder {tool} write", m[f"folder.{tool}.write"], "MiB/s")
    row(f"folder {tool} read", m[f"folder.{tool}.read"], "MiB/s")
row("calibrated cycle rate against QPC over 2 s (Wine)", m["calibration.ppm"], "ppm",
    f"(largest |error| {max(abs(x) for x in v['calibration.ppm']):.3f} ppm)")
PY
