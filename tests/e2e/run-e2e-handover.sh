#!/usr/bin/env bash
# Clicks a cell of the Websafe or the Failsafe window and, in the same flush, closes that window
# as a window manager does (WM_DELETE_WINDOW): the window goes while its colour is being handed
# to the main window. Then the same with the main window's close. The program must live through
# every try, and the colour clicked must reach the clipboard whole.
#   run-e2e-handover.sh path/to/huevra
# HUEVRA_CLICK_AND_CLOSE  the helper that sends the click and the close in one flush
# HUEVRA_E2E_TRIES        tries for each palette window (default 20)
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"
click_and_close=${HUEVRA_CLICK_AND_CLOSE:?the click-and-close helper}
tries=${HUEVRA_E2E_TRIES:-20}

# Tries window $2, opened by the button $1 tab steps away, clicking ($3, $4) for $5 and ($6, $7)
# for $8 by turns.
try_palette() {
    local steps=$1 caption=$2 id try x y expected
    for try in $(seq "$tries"); do
        press_after_tabs "$steps"
        steps=0
        if ! id=$(wait_for_window "^$caption\$" 5); then
            fail "$caption: the window did not open for try $try"
            return
        fi
        if [ $((try % 2)) -eq 1 ]; then x=$3 y=$4 expected=$5; else x=$6 y=$7 expected=$8; fi
        "$click_and_close" "$id" "$x" "$y" "$id"
        wait_for_no_window "^$caption\$" 5 || fail "$caption: the window stayed open on try $try"
        if ! app_running; then
            fail "$caption: the program ended on try $try"
            return
        fi
        wait_for_clipboard "$expected" >/dev/null ||
            fail "$caption: try $try left another colour than $expected"
    done
    echo "$caption: $tries clicks with a close in the same flush"
}

start_app handover
launch handover
if main=$(wait_for_window "^Huevra - New palette$"); then
    wait_for_clipboard "#FF0000" >/dev/null || fail "the start colour never reached the clipboard"
    focus "$main"
    xdotool key ctrl+n
    # Websafe's top-left cell is blue and the one below it black; Failsafe's cells 2 and 15 are
    # navy and white.
    try_palette -2 Websafe 10 10 "#0000FF" 10 115 "#000000"
    app_running && try_palette -1 Failsafe 114 20 "#000080" 725 20 "#FFFFFF"

    # The main window's close arrives during the hand-over: the palette has changed, so the
    # question comes, and Cancel keeps the program and the colour clicked.
    steps=1
    closes=0
    for try in 1 2 3 4 5; do
        app_running || break
        press_after_tabs "$steps"
        steps=0
        if ! id=$(wait_for_window "^Websafe\$" 5); then
            fail "Websafe did not open before the main window's close $try"
            break
        fi
        if [ $((try % 2)) -eq 1 ]; then y=115 expected="#000000"; else y=10 expected="#0000FF"; fi
        "$click_and_close" "$id" 10 "$y" "$main"
        if prompt=$(wait_for_window "^Huevra\$" 5); then
            focus "$prompt"
            xdotool key Escape
            wait_for_no_window "^Huevra\$" 5 || fail "the question stayed after Cancel"
        else
            fail "the main window's close $try asked nothing"
        fi
        if ! app_running; then
            fail "the program ended at the main window's close $try"
            break
        fi
        wait_for_clipboard "$expected" >/dev/null ||
            fail "the main window's close $try left another colour than $expected"
        closes=$try
    done
    echo "main window: $closes clicks with its close in the same flush, each cancelled"

    if app_running; then
        focus "$main"
        xdotool key ctrl+w
        if prompt=$(wait_for_window "^Huevra$" 5); then
            focus "$prompt"
            xdotool key n
        fi
        if wait_for_exit 10; then
            [ "$app_status" -eq 0 ] || fail "the program ended with status $app_status"
        else
            fail "the program kept running after its main window closed"
        fi
    fi
else
    fail "the main window did not appear"
fi
stop_app

e2e_end
