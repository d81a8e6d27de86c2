#!/usr/bin/env bash
# Opens the Websafe, Failsafe and JavaScript windows with the main window's buttons on a virtual
# X server, clicks a cell of each and reads the code text from the clipboard; then closes the
# main window, which must take every palette window with it and end the program.
#   run-e2e-palettes.sh path/to/huevra
# HUEVRA_E2E_SHOT_DIR   when set, a screenshot with each window open is saved there (needs
#                       "import")
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

shot() {
    if [ -n "${HUEVRA_E2E_SHOT_DIR:-}" ] && command -v import >/dev/null; then
        import -window root "$HUEVRA_E2E_SHOT_DIR/$1.png"
    fi
}

visible_count() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

# Opens window $2 with the button $1 tab steps away, clicks it at ($3, $4) and expects the
# clipboard to hold $5.
check_palette() {
    local steps=$1 caption=$2 x=$3 y=$4 expected=$5 id seconds
    press_after_tabs "$steps"
    if ! id=$(wait_for_window "^$caption\$" 5); then
        fail "the $caption window did not open"
        return
    fi
    xdotool mousemove --window "$id" "$x" "$y" click 1
    if seconds=$(wait_for_clipboard "$expected"); then
        echo "$caption: clipboard \"$expected\" (${seconds} s after start)"
    else
        fail "$caption: the clipboard never held \"$expected\""
    fi
    shot "$(echo "$caption" | tr '[:upper:]' '[:lower:]')"
    # A second press brings the open window forward and opens no other.
    press_after_tabs 0
    wait_for_window "^$caption\$" 2 >/dev/null || true
    [ "$(visible_count "^$caption\$")" -eq 1 ] || fail "a second $caption window opened"
}

start_app palettes
launch palettes
if main=$(wait_for_window "^Huevra - New palette$"); then
    wait_for_clipboard "#FF0000" >/dev/null || fail "the start colour never reached the clipboard"
    # New asks nothing for the unchanged palette and leaves the keyboard on the red scroll bar,
    # which follows the buttons Failsafe, Websafe and JavaScript in the tab order.
    focus "$main"
    xdotool key ctrl+n
    # Websafe: the top-left cell is blue; Failsafe: cell 2 is navy; JavaScript: aliceblue first.
    check_palette -2 Websafe 10 10 "#0000FF"
    check_palette -1 Failsafe $((47 * 2 + 20)) 20 "#000080"
    check_palette 2 JavaScript 8 36 "#F0F8FF"
    shot all

    # The palette has changed, so closing asks to save it first; No closes without saving.
    focus "$main"
    xdotool key ctrl+w
    if prompt=$(wait_for_window "^Huevra$" 5); then
        focus "$prompt"
        xdotool key n
    else
        fail "closing the changed palette asked nothing"
    fi
    if wait_for_exit 10; then
        [ "$app_status" -eq 0 ] || fail "the program ended with status $app_status"
        echo "closing the main window ended the program with status $app_status"
    else
        fail "the program kept running after its main window closed"
        for caption in Websafe Failsafe JavaScript; do
            [ "$(visible_count "^$caption\$")" -eq 0 ] || fail "the $caption window stayed open"
        done
    fi
else
    fail "the main window did not appear"
fi
stop_app

e2e_end
