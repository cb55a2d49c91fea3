#!/usr/bin/env bash
# Retakes docs/screenshot.png and docs/screenshot-grown.png: starts tallymax.exe under
# Wine on a private Xvfb, types a short session with real X key events, and captures
# the window (the second one grown, with the tape's context menu open).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target tallymax
export WINE_SESSION_DIR=$PWD/build/wine-shot
source tools/wine-session.sh
work=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$work"' EXIT
wine_session_start
# shoot INI-TEXT PNG [menu]: one session; with "menu", the window is grown and the
# tape's context menu is open in the picture.
shoot() {
    rm -f "$work"/*
    cp build/windows/tallymax.exe "$work/"
    printf '%b' "$1" >"$work/Tallymax.ini"
    (cd "$work" && wine tallymax.exe </dev/null >/dev/null 2>&1 &)
    local win
    win=$(timeout 30 xdotool search --sync --name '^Tallymax$' | head -1)
    sleep 1
    xdotool windowfocus --sync "$win"
    sleep 0.3
    xdotool key Num_Lock
    for k in 1 2 period 5 0 KP_Add 8 period 2 5 KP_Add 3 KP_Multiply 4 Return 1 9 9 KP_Subtract \
             2 5 period 5 0 Return; do
        xdotool key "$k"
        sleep 0.05
    done
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    if [ "${3:-}" = menu ]; then
        xdotool mousemove "$((X + 420))" "$((Y + 60))" click 3
        sleep 0.8
    fi
    /usr/bin/import -window root \
        -crop "$((WIDTH + 2))x$((HEIGHT + 26))+$((X - 1))+$((Y - 25))" +repage "$2"
    xdotool key Escape alt+F4 || true
    sleep 1
    echo "$2 written"
}

shoot '[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n' docs/screenshot.png
shoot '[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n[Window]\r\nWidth=640\r\nHeight=400\r\n' \
    docs/screenshot-grown.png menu
