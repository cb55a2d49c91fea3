# Sourced by the benchmark scripts, from the top of the tree.

# tallymax.exe built, and the folder the probes are built into ($out).
bench_build() {
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j2 --target tallymax
    out=build/bench
    mkdir -p "$out"
}

# The compiler line for a probe: static, so that Wine needs no MinGW DLLs.
probe_cxx="x86_64-w64-mingw32-g++-posix -O2 -static -s"

# A Wine session in build/NAME with a fresh work folder ($work); both go at the exit.
bench_session() {
    export WINE_SESSION_DIR=$PWD/build/$1
    source tools/wine-session.sh
    work=$(mktemp -d)
    trap 'wine_session_stop; rm -rf "$work"' EXIT
    wine_session_start
}

# Runs a Windows program and prints its output as Unix text.
wine_text() { wine "$@" </dev/null | tr -d '\r'; }
