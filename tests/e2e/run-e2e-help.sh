#!/usr/bin/env bash
# Opens the manual with F1 and the About window from the Help menu on a virtual X server, as a
# user would, and checks that the program still ends with the help viewer open.
#   run-e2e-help.sh path/to/huevra
# HUEVRA_E2E_SHOT   when set, screenshots of the viewer and the About window are saved with this
#                   prefix (needs "import")
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

shot() {
    if [ -n "${HUEVRA_E2E_SHOT:-}" ] && command -v import >/dev/null; then
        import -window root "${HUEVRA_E2E_SHOT}-$1.png"
    fi
}

start_app help
launch help
if main=$(wait_for_window "^Huevra - New palette$"); then
    # F1 shows the main window's topic in the help viewer, read from the file beside the program.
    focus "$main"
    xdotool key F1
    if viewer=$(wait_for_window "^Huevra Help - The main window$"); then
        echo "F1 shows \"$(xdotool getwindowname "$viewer")\""
        shot viewer
    else
        fail "F1 showed no help viewer with the main window's topic"
    fi

    # The About window opens from the Help menu and closes with Escape.
    focus "$main"
    xdotool key alt+h
    xdotool key a
    if about=$(wait_for_window "^About Huevra$"); then
        echo "the Help menu opens \"About Huevra\""
        shot about
        focus "$about"
        xdotool key Escape
        if wait_for_no_window "^About Huevra$" 5; then
            echo "Escape closes the About window"
        else
            fail "Escape left the About window open"
        fi
    else
        fail "no About window from the Help menu"
    fi

    # Exit ends the program although the help viewer is still open.
    focus "$main"
    xdotool key ctrl+w
    if wait_for_exit 10; then
        echo "the program ended with status $app_status"
        [ "$app_status" -eq 0 ] || fail "the program ended with status $app_status"
    else
        fail "the program did not end after Exit with the help viewer open"
    fi
else
    fail "no main window"
fi
stop_app

e2e_end
