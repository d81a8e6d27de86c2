#!/usr/bin/env bash
# Saves a palette through the real file dialog on a virtual X server, typing the path as a user
# would, and closes the program through its save prompt.
#   run-e2e-file.sh path/to/huevra
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

golden="$(cd "$(dirname "$0")/../data" && pwd)/new-palette.txt"

# Types a full path into the open Save As dialog and confirms it.
save_as() {
    local path=$1 dialog
    if ! dialog=$(wait_for_window "^Save Palette As$"); then
        fail "no Save As dialog for $path"
        return 1
    fi
    focus "$dialog"
    xdotool type --delay 5 "$path"
    xdotool key Return
}

# The saved file must be the default palette in the current layout, byte for byte.
check_saved() {
    local path=$1
    if [ ! -f "$path" ]; then
        fail "$path was not written"
    elif cmp -s "$path" "$golden"; then
        echo "$(basename "$path") holds the new palette in the current layout"
    else
        fail "$path differs from $(basename "$golden")"
        diff <(tr -d '\r' <"$golden") <(tr -d '\r' <"$path") | head -n 20 || true
    fi
}

check_title_becomes() {
    if wait_for_title "$1" "$2"; then
        echo "window title \"$2\""
    else
        fail "window title did not become \"$2\""
    fi
}

# Save on a new palette asks for a file; a typed full path is written and titles the window.
start_app save
out="$scratch/save/out"
mkdir -p "$out"
launch save
if main=$(wait_for_window "^Huevra - New palette$"); then
    focus "$main"
    xdotool key ctrl+s
    if save_as "$out/colours.txt"; then
        check_title_becomes "$main" "Huevra - colours.txt"
        check_saved "$out/colours.txt"
    fi

    # Save As with a name without suffix gets ".txt".
    focus "$main"
    xdotool key F12
    if save_as "$out/second"; then
        check_title_becomes "$main" "Huevra - second.txt"
        check_saved "$out/second.txt"
        if [ -e "$out/second" ]; then fail "the suffix was not added: $out/second exists"; fi
    fi
else
    fail "the main window did not appear"
fi
stop_app

# Closing a changed palette with the prompt on: Cancel, and Yes with the Save As dialog
# cancelled, both keep the program running; No ends it without writing anything.
start_app close
mkdir -p "$XDG_CONFIG_HOME/Pellmark"
printf '[General]\nPromptToSave=1\n' >"$XDG_CONFIG_HOME/Pellmark/Huevra 2004.conf"
launch close
if main=$(wait_for_window "^Huevra - New palette$"); then
    # New leaves the keyboard on the red scroll bar; Home takes mark 0's red to 0.
    focus "$main"
    xdotool key ctrl+n
    xdotool key Home
    wait_for_clipboard "#000000" >/dev/null || fail "the red value did not change"

    # Each round asks to close; a prompt that comes back shows the program is still running.
    round=0
    said_no=no
    for answer in Escape Return n; do
        round=$((round + 1))
        focus "$main"
        xdotool key ctrl+w
        if ! prompt=$(wait_for_window "^Huevra$"); then
            fail "no save prompt in round $round"
            break
        fi
        focus "$prompt"
        xdotool key "$answer"
        if [ "$answer" = n ]; then said_no=yes; fi
        if [ "$answer" = Return ]; then
            # Yes on a new palette asks for a file; cancelling it must refuse the close.
            if dialog=$(wait_for_window "^Save Palette As$"); then
                focus "$dialog"
                xdotool key Escape
                wait_for_no_window "^Save Palette As$" || fail "the Save As dialog stayed"
            else
                fail "Yes did not ask for a file"
            fi
        fi
        if [ "$answer" != n ]; then
            wait_for_no_window "^Huevra$" || fail "the prompt stayed after $answer"
            if ! app_running; then
                fail "the program ended after $answer"
                break
            fi
        fi
    done
    if [ "$said_no" = yes ]; then
        if wait_for_exit 10; then
            [ "$app_status" -eq 0 ] || fail "the program ended with status $app_status"
            echo "closed after No with status $app_status"
        else
            fail "the program did not end after No"
        fi
    fi
    written=$(find "$scratch/close" -name '*.txt' | head -n 1)
    if [ -n "$written" ]; then fail "a file was written: $written"; fi
else
    fail "the main window did not appear"
fi
stop_app

e2e_end
