#!/usr/bin/env bash
# Real X key events (xdotool) through Wine's input path into tallymax.exe: type a
# calculation, copy the display with Ctrl+C and read the clipboard from the X side.
set -u
exe=$1
work=$(mktemp -d)
cp "$exe" "$work/"
(cd "$work" && exec wine tallymax.exe </dev/null >/dev/null 2>&1) &
app=$!
cleanup() {
    kill "$app" 2>/dev/null
    pkill -f "$work/tallymax.exe" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
win=$(timeout 30 xdotool search --sync --name '^Tallymax$' | head -1)
[ -n "$win" ] || { echo "no Tallymax window"; exit 1; }
sleep 0.5
xdotool windowfocus --sync "$win"
sleep 0.3

passed=0 failed=0
check() {  # keys..., expected clipboard text as the last argument
    local expected=${!#}
    local keys=("${@:1:$#-1}")
    xdotool key --delay 40 "${keys[@]}" ctrl+c
    local got=""
    for _ in $(seq 50); do
        got=$(timeout 2 xclip -o -selection clipboard 2>/dev/null)
        [ "$got" = "$expected" ] && break
        sleep 0.1
    done
    if [ "$got" = "$expected" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: keys '${keys[*]}' gave '$got', expected '$expected'"
    fi
}
check Escape 1 2 KP_Add 3 Return 15
check Escape 4 shift+equal 5 KP_Enter 9
check Escape 7 KP_Multiply 6 BackSpace 8 Return 56
check Escape 1 0 slash 4 Return 2.5
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
