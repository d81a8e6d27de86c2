# Shared by the end-to-end scripts: the virtual X server, a scratch folder, the program's process
# and checks that poll until a deadline. Sourced by a script that is run as
#   script.sh path/to/huevra
# e2e_begin "$0" "$@" re-runs the script under xvfb-run, then prepares the run inside it;
# E2E_SCREEN sets the size of the virtual screen (default 1280x1024x24).

# Re-runs the calling script on a virtual X server; inside it, sets up the scratch folder.
e2e_begin() {
    local script=$1
    binary=${2:?usage: $script path/to/huevra}
    if [ "${3:-}" != "--inside-x" ]; then
        # No reset: the server would restart when the first run ends, refusing the second run.
        exec xvfb-run -a -s "-screen 0 ${E2E_SCREEN:-1280x1024x24} -noreset" bash "$script" \
            "$binary" --inside-x
    fi
    export QT_QPA_PLATFORM=xcb
    # Qt's own widgets for the dialogs, whatever desktop the tests were started from.
    unset QT_QPA_PLATFORMTHEME XDG_CURRENT_DESKTOP DESKTOP_SESSION
    # Nor may a Wayland desktop around the virtual X server send the screen picker to its portal.
    unset WAYLAND_DISPLAY
    scratch=$(mktemp -d)
    app_pid=""
    failures=0
    trap 'stop_app; rm -rf "$scratch"' EXIT
}

stop_app() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null || true
    fi
    if [ -n "$app_pid" ]; then wait "$app_pid" 2>/dev/null || true; fi
    app_pid=""
}

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

now() { date +%s.%N; }

# True until $1 (a time from now) has passed.
before() { awk -v d="$1" -v t="$(now)" 'BEGIN { exit !(t < d) }'; }

# A time $1 seconds from now.
deadline() { awk -v s="$1" -v t="$(now)" 'BEGIN { printf "%.3f", t + s }'; }

app_running() { [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; }

# Gives the next run a fresh home (with a desktop folder) and settings folder; $1 names the run.
start_app() {
    export HOME="$scratch/$1/home"
    export XDG_CONFIG_HOME="$scratch/$1/config"
    mkdir -p "$HOME/Desktop" "$XDG_CONFIG_HOME"
}

# Starts the program; its output goes to $scratch/$1.log.
launch() {
    started=$(now)
    "$binary" >"$scratch/$1.log" 2>&1 &
    app_pid=$!
}

# Prints the id of the first visible window whose title matches the pattern $1, waiting up to
# $2 seconds (default 10); fails when there is none by then or the program has ended.
wait_for_window() {
    local pattern=$1 until id
    until=$(deadline "${2:-10}")
    while before "$until"; do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        app_running || return 1
        sleep 0.05
    done
    return 1
}

# Waits up to $2 seconds (default 10) until no visible window's title matches $1.
wait_for_no_window() {
    local pattern=$1 until
    until=$(deadline "${2:-10}")
    while before "$until"; do
        [ -z "$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true)" ] && return 0
        sleep 0.05
    done
    return 1
}

# Waits up to $3 seconds (default 10) for window $1 to carry the title $2.
wait_for_title() {
    local id=$1 expected=$2 until title=""
    until=$(deadline "${3:-10}")
    while true; do
        title=$(xdotool getwindowname "$id" 2>/dev/null || true)
        [ "$title" = "$expected" ] && return 0
        before "$until" || break
        sleep 0.05
    done
    echo "window title is \"$title\"" >&2
    return 1
}

# Waits up to $2 seconds (default 5) for the clipboard to hold $1; prints the seconds since the
# start of the program.
wait_for_clipboard() {
    local expected=$1 until text=""
    until=$(deadline "${2:-5}")
    while before "$until"; do
        text=$(xclip -o -selection clipboard 2>/dev/null || true)
        if [ "$text" = "$expected" ]; then
            awk -v a="$(now)" -v b="$started" 'BEGIN { printf "%.2f", a - b }'
            return 0
        fi
        app_running || break
        sleep 0.05
    done
    echo "clipboard holds \"$text\"" >&2
    return 1
}

# Waits up to $1 seconds (default 10) for the program to end by itself; keeps its exit status
# in app_status.
wait_for_exit() {
    local until
    until=$(deadline "${1:-10}")
    while before "$until"; do
        if ! app_running; then
            app_status=0
            wait "$app_pid" 2>/dev/null || app_status=$?
            app_pid=""
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Gives window $1 the keyboard; there is no window manager to do it.
# A window that has gone is left to the checks that follow.
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || true; }

# Moves the keyboard focus of the main window ($main) by $1 steps (negative: backwards) and presses the
# button there, as a keyboard user would.
press_after_tabs() {
    local steps=$1 key=Tab
    focus "$main"
    if [ "$steps" -lt 0 ]; then
        key=shift+Tab
        steps=$((-steps))
    fi
    for _ in $(seq "$steps"); do xdotool key "$key"; done
    xdotool key space
}

# Prints the logs of every run when a check failed and ends the script with its result.
e2e_end() {
    if [ "$failures" -ne 0 ]; then
        for log in "$scratch"/*.log; do
            [ -e "$log" ] || continue
            echo "== $(basename "$log")"
            cat "$log"
        done
        exit 1
    fi
    echo "end-to-end checks passed"
}
