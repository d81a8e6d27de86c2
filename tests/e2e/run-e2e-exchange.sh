#!/usr/bin/env bash
# Exports the new palette to every interchange format through the real file dialog, typing the
# path as a user would, and imports a GIMP palette of 23 colours back into the marks.
#   run-e2e-exchange.sh path/to/huevra
# E2E_SHOTS   a folder that receives screenshots of the import's message and the main window.
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

data="$(cd "$(dirname "$0")/../data/exchange" && pwd)"
shots=${E2E_SHOTS:-}

shot() {
    if [ -n "$shots" ]; then
        mkdir -p "$shots"
        import -window "$1" "$shots/$2.png" 2>/dev/null || true
    fi
}

# Types a full path into the open dialog titled $1 and confirms it.
choose_in() {
    local title=$1 path=$2 dialog
    if ! dialog=$(wait_for_window "^$title$"); then
        fail "no $title dialog for $path"
        return 1
    fi
    focus "$dialog"
    xdotool type --delay 5 "$path"
    xdotool key Return
    wait_for_no_window "^$title$" || fail "the $title dialog stayed open"
}

# Waits up to 5 s for the file $1 to be written.
wait_for_file() {
    local until
    until=$(deadline 5)
    until [ -s "$1" ] || ! before "$until"; do sleep 0.05; done
    [ -s "$1" ]
}

start_app exchange
out="$scratch/exchange/out"
mkdir -p "$out"
launch exchange
if main=$(wait_for_window "^Huevra - New palette$"); then
    # Every format from its extension; the files must be what the formats' layouts give for
    # the default palette, and the palette keeps its title.
    for ext in gpl css scss json ase; do
        focus "$main"
        xdotool key ctrl+shift+e
        if choose_in "Export Palette" "$out/new-palette.$ext"; then
            if ! wait_for_file "$out/new-palette.$ext"; then
                fail "$ext: nothing was written"
            elif cmp -s "$out/new-palette.$ext" "$data/default.$ext"; then
                echo "$ext: the export matches $data/default.$ext"
            else
                fail "$ext: the export differs from default.$ext"
                diff <(od -c "$data/default.$ext") <(od -c "$out/new-palette.$ext") | head -n 10 || true
            fi
        fi
        wait_for_title "$main" "Huevra - New palette" 2 || fail "$ext: the export changed the title"
    done

    # Import: the first six of 23 colours, a message that says so, an untitled palette that
    # Save asks a name for.
    focus "$main"
    xdotool key ctrl+shift+o
    if choose_in "Import Palette" "$data/twenty-three.gpl"; then
        if message=$(wait_for_window "^Huevra$"); then
            sleep 0.3
            shot "$message" import-message
            focus "$message"
            xdotool key Return
            wait_for_no_window "^Huevra$" || fail "the message stayed after Return"
            echo "the import said how many colours it took"
        else
            fail "no message about the 23 colours"
        fi
        # Mark 1 is selected and holds the file's first colour, 10 7 250.
        if wait_for_clipboard "#0A07FA" >/dev/null; then
            echo "mark 1 holds the file's first colour"
        else
            fail "mark 1 does not hold #0A07FA"
        fi
        wait_for_title "$main" "Huevra - New palette" 2 || fail "the import did not untitle the palette"
        sleep 0.3
        shot "$main" import-main
        focus "$main"
        xdotool key ctrl+s
        if dialog=$(wait_for_window "^Save Palette As$"); then
            echo "Save asks for a name after the import"
            focus "$dialog"
            xdotool key Escape
            wait_for_no_window "^Save Palette As$" || fail "the Save As dialog stayed"
        else
            fail "Save did not ask for a name after the import"
        fi
    fi
else
    fail "the main window did not appear"
fi
stop_app

e2e_end
