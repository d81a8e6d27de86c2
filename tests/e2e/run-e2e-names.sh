#!/usr/bin/env bash
# Names the marks with F5 and saves them, then copies a name instead of code, on a virtual X
# server as a user would.
#   run-e2e-names.sh path/to/huevra
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

start_app names
out="$scratch/names/out"
mkdir -p "$out"
launch names
if main=$(wait_for_window "^Huevra - New palette$"); then
    wait_for_clipboard "#FF0000" >/dev/null || fail "the start colour never reached the clipboard"

    # F5 names the six default colours; Save As writes the names into the file.
    focus "$main"
    xdotool key F5 ctrl+s
    if dialog=$(wait_for_window "^Save Palette As$"); then
        focus "$dialog"
        xdotool type --delay 5 "$out/named.txt"
        xdotool key Return
        wait_for_title "$main" "Huevra - named.txt" || fail "the palette was not saved"
        expected=$'[Huevra data]\nred\n255,0,0\nyellow\n255,255,0\nlime\n0,255,0\ncyan\n0,255,255\nblue\n0,0,255\nmagenta\n255,0,255'
        actual=$(tr -d '\r' <"$out/named.txt" 2>/dev/null | sed -n '4,16p')
        if [ "$actual" = "$expected" ]; then
            echo "the saved palette holds the six JavaScript names"
        else
            fail "the saved names differ:"$'\n'"$actual"
        fi
    else
        fail "no Save As dialog"
    fi

    # Ticking Copy JavaScript Names puts the selected colour's name on the clipboard.
    focus "$main"
    # The check box sits in the row under the editor, left of "On the clipboard".
    xdotool mousemove --window "$main" 180 164 click 1
    if seconds=$(wait_for_clipboard "red"); then
        echo "\"red\" on the clipboard at ${seconds} s"
    else
        fail "the clipboard does not hold the name"
    fi
else
    fail "the main window did not appear"
fi
stop_app

e2e_end
