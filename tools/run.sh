#!/usr/bin/env bash
# Builds tallymax.exe and starts it under Wine from its own folder (out/), so that
# its Tallymax.ini lands next to it. Uses the current X display, or a private Xvfb
# when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target tallymax
mkdir -p out
cp build/windows/tallymax.exe out/
export WINE_SESSION_DIR=$PWD/build/wine-run
source tools/wine-session.sh
[ -n "${DISPLAY:-}" ] && export TALLYMAX_KEEP_DISPLAY=1
trap wine_session_stop EXIT
wine_session_start
cd out && wine tallymax.exe
