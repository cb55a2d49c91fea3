#!/usr/bin/env bash
# Builds the trees and runs every test: native unit tests, the same unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short run of every fuzz target,
# the unit tests as a Windows binary under Wine, the end-to-end tests on the real
# tallymax.exe, and the release package built twice to show that it is reproducible.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs" --target tallymax_unit_tests
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"

source tools/wine-session.sh
trap wine_session_stop EXIT
wine_session_start printer

status=0
echo "== unit tests (native)"
ctest --preset native -L unit -j"$jobs" || status=1
echo "== unit tests (native, ASan and UBSan)"
ctest --preset sanitize -L unit -j"$jobs" || status=1
echo "== fuzz targets (${FUZZ_SECONDS:-20} s each)"
tools/fuzz.sh "${FUZZ_SECONDS:-20}" || status=1
echo "== unit tests (Windows binary under Wine)"
ctest --preset windows -L wine -j"$jobs" || status=1
echo "== end-to-end tests (tallymax.exe under Wine and Xvfb)"
ctest --preset windows -L e2e || status=1
echo "== release package (built twice, the same bytes)"
tools/package.sh --check || status=1
exit $status
