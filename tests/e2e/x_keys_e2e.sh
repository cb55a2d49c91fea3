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

# Polls for at most a minute; each poll reads the state it waits for.
clipboard_becomes() {
    local expected=$1 got=""
    for _ in $(seq 600); do
        got=$(timeout 2 xclip -o -selection clipboard 2>/dev/null)
        [ "$got" = "$expected" ] && return 0
        sleep 0.1
    done
    echo "$got"
    return 1
}

win=$(timeout 60 xdotool search --sync --name '^Tallymax$' | head -1)
[ -n "$win" ] || { echo "no Tallymax window"; exit 1; }
# Keys reach the program only once Wine has made its window the active one, which it
# does on its own time after the X focus moves: until a typed number comes back on
# the clipboard the program is not yet listening. Escape first makes each try alike,
# and the number is one that no check below expects.
ready=no
for _ in $(seq 60); do
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key --delay 40 Escape 6 0 6 ctrl+c
    for _ in $(seq 10); do
        [ "$(timeout 2 xclip -o -selection clipboard 2>/dev/null)" = 606 ] && ready=yes && break
        sleep 0.1
    done
    [ $ready = yes ] && break
done
[ $ready = yes ] || { echo "the window never took keys"; exit 1; }

passed=0 failed=0
check() {  # keys..., expected clipboard text as the last argument
    local expected=${!#}
    local keys=("${@:1:$#-1}")
    xdotool key --delay 40 "${keys[@]}" ctrl+c
    local got
    if got=$(clipboard_becomes "$expected"); then
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
