#!/usr/bin/env bash
# Sets preferences through the Options and Custom Format dialogs on a virtual X server, as a user
# would with the keyboard, and checks what the clipboard holds afterwards and after a restart.
#   run-e2e-settings.sh path/to/huevra
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

# Waits for the dialog titled $1 and gives it the keyboard; prints its id.
open_dialog() {
    local dialog
    if ! dialog=$(wait_for_window "^$1\$" 5); then
        fail "no $1 dialog"
        return 1
    fi
    focus "$dialog"
    echo "$dialog"
}

check_clipboard() {
    if wait_for_clipboard "$1" >/dev/null; then
        echo "clipboard \"$1\" $2"
    else
        fail "clipboard is not \"$1\" $2"
    fi
}

# Options: "VB" as the standard format takes effect at the next start, not in this run.
start_app options
launch options
if main=$(wait_for_window "^Huevra - "); then
    check_clipboard "#FF0000" "at the first start"
    focus "$main"
    xdotool key F9
    if dialog=$(open_dialog "Options"); then
        # The list has the keyboard with "HTML Hex" selected; "VB" is three rows down.
        xdotool key Down Down Down Return
        wait_for_no_window "^Options$" 5 || fail "Options did not close on Enter"
        # A new palette leaves the keyboard on the red scroll bar; Home takes red to 0.
        focus "$main"
        xdotool key ctrl+n Home
        check_clipboard "#000000" "in the same format after OK"
    fi
else
    fail "the main window did not appear"
fi
stop_app
launch options-again
check_clipboard "RGB(255, 0, 0)" "after the restart"
stop_app

# Custom Format: a typed template, then Custom chosen in the format list.
start_app custom
launch custom
if main=$(wait_for_window "^Huevra - "); then
    check_clipboard "#FF0000" "at the first start"
    focus "$main"
    xdotool key F8
    if dialog=$(open_dialog "Custom Format"); then
        xdotool type --delay 5 'rgb(%DR%, %DG%, %DB%) /* %UR%%UG%%UB% */'
        xdotool key Return
        wait_for_no_window "^Custom Format$" 5 || fail "Custom Format did not close on Enter"
        focus "$main"
        # The format list sits at the top right, left of the palette buttons; a click on any
        # row, then End, selects "Custom".
        xdotool mousemove --window "$main" 540 95 click 1
        xdotool key End
        check_clipboard "rgb(255, 0, 0) /* FF0000 */" "with Custom selected"
    fi
else
    fail "the main window did not appear"
fi
stop_app

# Settings that cannot be saved: a file stands where the settings folder belongs, which stops
# root as well as any other user. OK says so once, and the run keeps the template.
start_app unsaved
: >"$XDG_CONFIG_HOME/Pellmark"
launch unsaved
if main=$(wait_for_window "^Huevra - "); then
    focus "$main"
    xdotool key F8
    if dialog=$(open_dialog "Custom Format"); then
        xdotool type --delay 5 'kept %DR%'
        xdotool key Return
        # The message box carries the program's name alone; the unit tests check its text.
        if box=$(wait_for_window "^Huevra\$" 5); then
            echo "the failed save is told"
            focus "$box"
            xdotool key Return
            wait_for_no_window "^Huevra\$" 5 || fail "the message did not close on Enter"
        else
            fail "no message about the settings that were not saved"
        fi
        wait_for_no_window "^Custom Format$" 5 || fail "Custom Format did not close on Enter"
        focus "$main"
        xdotool key F8
        if dialog=$(open_dialog "Custom Format"); then
            # The main window puts its code on the clipboard once more after it was activated;
            # the field's text is copied after that.
            sleep 1
            xdotool key ctrl+a ctrl+c
            check_clipboard "kept %DR%" "in the template field at the next F8"
            xdotool key Escape
            wait_for_no_window "^Custom Format$" 5 || fail "Custom Format did not close on Escape"
        fi
        focus "$main"
        xdotool mousemove --window "$main" 540 95 click 1
        xdotool key End
        check_clipboard "kept 255" "with Custom selected"
    fi
else
    fail "the main window did not appear"
fi
stop_app
[ -f "$XDG_CONFIG_HOME/Pellmark" ] || fail "the file in the settings folder's place was changed"

e2e_end
