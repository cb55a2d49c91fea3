#!/usr/bin/env bash
# Builds the release package out/tallymax-<version>-win64.zip: tallymax.exe,
# qvl-server.exe, the users' README and the licence. The build is reproducible: a fixed
# build folder, no paths or time stamps in the programs, and a zip with fixed dates,
# modes and entry order. `tools/package.sh --check` builds it twice from scratch and
# fails unless both zips are the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
version=$(sed -n 's/^project(Tallymax VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
version=${version%.0}
build=/tmp/tallymax-release-build
zip=out/tallymax-$version-win64.zip
mkdir -p out

build_zip() {
    rm -rf "$build"
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$build" -j"$(nproc)" --target tallymax qvl-server >/dev/null
    python3 - "$1" "$build/tallymax.exe" "$build/qvl-server.exe" docs/README-users.txt LICENSE.txt <<'PY'
import sys, zipfile
out, files = sys.argv[1], sys.argv[2:]
with zipfile.ZipFile(out, "w") as z:
    for path in sorted(files, key=lambda p: p.rsplit("/", 1)[-1].lower()):
        name = path.rsplit("/", 1)[-1]
        if name == "README-users.txt":
            name = "README.txt"
        info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        info.external_attr = 0o644 << 16
        info.create_system = 3
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
PY
}

build_zip "$zip"
echo "$zip: $(sha256sum "$zip" | cut -d' ' -f1)"
if [ "${1:-}" = --check ]; then
    build_zip "$zip.again"
    again=$(sha256sum "$zip.again" | cut -d' ' -f1)
    echo "second build: $again"
    if ! cmp -s "$zip" "$zip.again"; then
        echo "the two builds differ" >&2
        exit 1
    fi
    rm -f "$zip.again"
fi
