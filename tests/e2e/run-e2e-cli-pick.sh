#!/usr/bin/env bash
# Picks from the screen of a virtual X server with huevra-cli pick as a user would from a
# desktop shortcut: takes a pixel with the keyboard, cancels with Escape, and reads the copied
# colour from the clipboard after the command has returned.
#   run-e2e-cli-pick.sh path/to/huevra-cli
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"
pick_pid=""
trap 'if [ -n "$pick_pid" ]; then kill "$pick_pid" 2>/dev/null || true; fi
      pkill -f -- "--keep-clipboard" 2>/dev/null || true; rm -rf "$scratch"' EXIT

# The root window in one known colour; the pointer somewhere inside it.
xsetroot -solid '#3366cc'
xdotool mousemove 200 150

# Starts a pick with the arguments given; its output goes to $scratch/pick.out.
start_pick() {
    "$binary" pick "$@" >"$scratch/pick.out" 2>"$scratch/pick.err" &
    pick_pid=$!
}

# Waits until the pick shows a window, then presses the key $1.
press_in_pick() {
    local until window=""
    until=$(deadline 10)
    while before "$until" && [ -z "$window" ]; do
        window=$(xdotool search --onlyvisible --pid "$pick_pid" 2>/dev/null | head -n 1 || true)
        kill -0 "$pick_pid" 2>/dev/null || break
        [ -n "$window" ] || sleep 0.05
    done
    if [ -z "$window" ]; then
        fail "the pick showed no window"
        return 1
    fi
    sleep 0.3
    xdotool key "$1"
}

# Waits for the pick to end; keeps its exit status in pick_status.
wait_for_pick() {
    local until
    until=$(deadline 10)
    while before "$until" && kill -0 "$pick_pid" 2>/dev/null; do sleep 0.05; done
    pick_status=0
    wait "$pick_pid" 2>/dev/null || pick_status=$?
    pick_pid=""
}

# Enter takes the pixel: printed in the notation asked for, status 0, and on the clipboard
# after the command has ended.
start_pick --to rgb --copy
if press_in_pick Return; then
    wait_for_pick
    out=$(cat "$scratch/pick.out")
    if [ "$pick_status" -eq 0 ] && [ "$out" = "rgb(51 102 204)" ]; then
        echo "Enter printed $out"
    else
        fail "Enter gave status $pick_status and \"$out\": $(cat "$scratch/pick.err")"
    fi
    started=$(now)
    app_pid=""
    text=""
    until=$(deadline 5)
    while before "$until"; do
        text=$(xclip -o -selection clipboard 2>/dev/null || true)
        [ "$text" = "rgb(51 102 204)" ] && break
        sleep 0.05
    done
    if [ "$text" = "rgb(51 102 204)" ]; then
        echo "the clipboard holds $text after the command ended"
    else
        fail "the clipboard holds \"$text\""
    fi
    # Another program takes the clipboard: the keeper ends.
    printf 'other' | xclip -i -selection clipboard
    until=$(deadline 5)
    while before "$until" && pgrep -f -- "--keep-clipboard" >/dev/null; do sleep 0.05; done
    if pgrep -f -- "--keep-clipboard" >/dev/null; then
        fail "the clipboard's keeper still runs after another program took the clipboard"
    else
        echo "the keeper ended when another program took the clipboard"
    fi
fi

# Escape cancels: status 4, nothing printed, the clipboard left alone.
start_pick --copy
if press_in_pick Escape; then
    wait_for_pick
    if [ "$pick_status" -eq 4 ] && [ ! -s "$scratch/pick.out" ]; then
        echo "Escape cancelled with status 4"
    else
        fail "Escape gave status $pick_status and \"$(cat "$scratch/pick.out")\""
    fi
    sleep 0.3
    text=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$text" = "other" ] || fail "the cancelled pick changed the clipboard to \"$text\""
fi

# Without a display the command says so.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" pick >"$scratch/pick.out" \
    2>"$scratch/pick.err" || status=$?
if [ "$status" -eq 1 ] && grep -q "no display" "$scratch/pick.err"; then
    echo "without a display: $(cat "$scratch/pick.err")"
else
    fail "without a display: status $status, $(cat "$scratch/pick.err")"
fi

e2e_end
