#!/usr/bin/env bash
# Starts the real program on a virtual X server with its own settings folder and checks, from
# outside the program, what it puts on the clipboard and which title its window carries.
#   run-e2e.sh path/to/huevra
# HUEVRA_E2E_LIMIT   seconds allowed from start to the code text on the clipboard (default 3;
#                    the program aims at 1.5, and the time taken is always printed)
# HUEVRA_E2E_SHOT    when set, a screenshot of the first start is saved there (needs "import")
set -euo pipefail

binary=${1:?usage: run-e2e.sh path/to/huevra}
limit=${HUEVRA_E2E_LIMIT:-3}

if [ "${2:-}" != "--inside-x" ]; then
    # No reset: the server would restart when the first run ends, refusing the second run.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$binary" --inside-x
fi

export QT_QPA_PLATFORM=xcb
scratch=$(mktemp -d)
app_pid=""
failures=0

stop_app() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    app_pid=""
}
trap 'stop_app; rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

now() { date +%s.%N; }

# Starts the program with a fresh home and settings folder; $1 names the run.
start_app() {
    export HOME="$scratch/$1/home"
    export XDG_CONFIG_HOME="$scratch/$1/config"
    mkdir -p "$HOME/Desktop" "$XDG_CONFIG_HOME"
}

launch() {
    started=$(now)
    "$binary" >"$scratch/$1.log" 2>&1 &
    app_pid=$!
}

# Waits up to five seconds for the clipboard to hold $1; prints the seconds it took.
wait_for_clipboard() {
    local expected=$1 text=""
    for _ in $(seq 1 100); do
        text=$(xclip -o -selection clipboard 2>/dev/null || true)
        if [ "$text" = "$expected" ]; then
            awk -v a="$(now)" -v b="$started" 'BEGIN { printf "%.2f", a - b }'
            return 0
        fi
        if ! kill -0 "$app_pid" 2>/dev/null; then break; fi
        sleep 0.05
    done
    echo "clipboard holds \"$text\"" >&2
    return 1
}

check_clipboard() {
    local expected=$1 seconds
    if seconds=$(wait_for_clipboard "$expected"); then
        echo "clipboard \"$expected\" after $seconds s (aim 1.5 s, limit $limit s)"
        if awk -v s="$seconds" -v l="$limit" 'BEGIN { exit !(s > l) }'; then
            fail "\"$expected\" came after ${seconds} s"
        fi
    else
        fail "clipboard never held \"$expected\""
    fi
}

check_title() {
    local expected=$1 id="" title=""
    for _ in $(seq 1 50); do
        id=$(xdotool search --name "^Huevra" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    if [ -z "$id" ]; then
        fail "no window titled Huevra"
        return
    fi
    title=$(xdotool getwindowname "$id")
    if [ "$title" = "$expected" ]; then
        echo "window title \"$title\""
    else
        fail "window title is \"$title\""
    fi
}

# First start: the default format shows red as HTML Hex.
start_app default
launch default
check_clipboard "#FF0000"
check_title "Huevra - New palette"
if [ -n "${HUEVRA_E2E_SHOT:-}" ] && command -v import >/dev/null; then
    import -window root "$HUEVRA_E2E_SHOT"
fi
stop_app

# A stored format index chooses the format at start.
start_app stored
mkdir -p "$XDG_CONFIG_HOME/Pellmark"
printf '[General]\nFormatIndex=3\n' >"$XDG_CONFIG_HOME/Pellmark/Huevra 2004.conf"
launch stored
check_clipboard "RGB(255, 0, 0)"
stop_app

if [ "$failures" -ne 0 ]; then
    for log in "$scratch"/*.log; do
        echo "== $(basename "$log")"
        cat "$log"
    done
    exit 1
fi
echo "end-to-end checks passed"
