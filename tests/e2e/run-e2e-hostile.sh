#!/usr/bin/env bash
# Starts the real program on a virtual X server against hostile surroundings: a FIFO, a huge
# file or one with a binary value as its settings file, a palette with over-long names, and
# /proc in the open dialog.
#   run-e2e-hostile.sh path/to/huevra
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

settings_file() { echo "$XDG_CONFIG_HOME/Pellmark/Huevra 2004.conf"; }

# The settings message comes before the main window; OK lets start-up go on.
expect_settings_message() {
    local name=$1 box
    if box=$(wait_for_window "^Huevra$" 10); then
        echo "$name: the settings message is shown"
        focus "$box"
        xdotool key Return
    else
        fail "$name: no message about the settings within 10 s"
    fi
}

expect_main_window() {
    local name=$1
    if main=$(wait_for_window "^Huevra - New palette$" 10); then
        echo "$name: the main window is up after" \
            "$(awk -v a="$(now)" -v b="$started" 'BEGIN { printf "%.2f", a - b }') s"
        return 0
    fi
    fail "$name: no main window within 10 s"
    return 1
}

# No message box at all: the main window is the only window titled Huevra.
expect_no_message() {
    local name=$1
    if [ -n "$(xdotool search --onlyvisible --name '^Huevra$' 2>/dev/null || true)" ]; then
        fail "$name: a message was shown"
    else
        echo "$name: no message"
    fi
}

# A FIFO as the settings file: never opened, so start-up does not wait for a writer.
start_app fifo
mkdir -p "$XDG_CONFIG_HOME/Pellmark"
mkfifo "$(settings_file)"
launch fifo
expect_settings_message fifo
expect_main_window fifo && expect_no_message fifo
[ -p "$(settings_file)" ] || fail "fifo: the FIFO was replaced"
stop_app

# A 50 MB settings file with one bad value: not parsed, not rewritten.
start_app huge
mkdir -p "$XDG_CONFIG_HOME/Pellmark"
{
    printf '[General]\nSortIndex=7\n'
    # yes ends on a broken pipe once head has enough.
    yes '; padding padding padding padding padding padding padding padding' | head -c 50000000 ||
        true
} >"$(settings_file)"
sum_before=$(md5sum <"$(settings_file)")
launch huge
expect_settings_message huge
expect_main_window huge && expect_no_message huge
[ "$(md5sum <"$(settings_file)")" = "$sum_before" ] || fail "huge: the settings file changed"
stop_app

# A binary value whose list count asks for gigabytes: refused before Qt decodes it.
start_app binary
mkdir -p "$XDG_CONFIG_HOME/Pellmark"
printf '[General]\nSortIndex=1\nFormatIndex=@Variant(\\0\\0\\0\\xbyteArray(1)\n' >"$(settings_file)"
sum_before=$(md5sum <"$(settings_file)")
launch binary
expect_settings_message binary
expect_main_window binary && expect_no_message binary
[ "$(md5sum <"$(settings_file)")" = "$sum_before" ] || fail "binary: the settings file changed"
stop_app

# A palette whose names are longer than the name field, one with an emoji across the cut: opened
# and closed untouched, it does not ask to be saved.
start_app longnames
palettes="$scratch/longnames/palettes"
mkdir -p "$palettes"
{
    printf 'THIS FILE WAS MADE IN HUEVRA. DO NOT EDIT.\r\nversion\r\n\r\n[Huevra data]\r\n'
    printf 'A name that is much longer than the field\r\n1,2,3\r\n'
    printf 'aaaaaaaaaaaaaaaaaaaa\xf0\x9f\x98\x80 and more\r\n4,5,6\r\n'
    for k in 2 3 4 5; do printf 'Mark %s\r\n%s,0,0\r\n' "$k" "$k"; done
} >"$palettes/long.txt"
mkdir -p "$XDG_CONFIG_HOME/Pellmark"
printf '[General]\nPromptToSave=1\nStandardFolder=%s\n' "$palettes" >"$(settings_file)"
launch longnames
if expect_main_window longnames; then
    focus "$main"
    xdotool key ctrl+o
    if dialog=$(wait_for_window "^Open Palette In Huevra$"); then
        focus "$dialog"
        xdotool type --delay 5 "$palettes/long.txt"
        xdotool key Return
        if wait_for_title "$main" "Huevra - long.txt"; then
            [ -n "${HUEVRA_E2E_SHOT:-}" ] && command -v import >/dev/null &&
                import -window root "$HUEVRA_E2E_SHOT-longnames.png"
            focus "$main"
            xdotool key ctrl+w
            if wait_for_exit 10; then
                echo "longnames: closed without a save prompt"
            else
                fail "longnames: the untouched palette asked to be saved"
            fi
        else
            fail "longnames: the palette was not opened"
        fi
    else
        fail "longnames: no open dialog"
    fi
fi
stop_app

# As root, /proc/kmsg is readable and blocks its reader: listing /proc must not read it.
if [ "$(id -u)" -eq 0 ]; then
    start_app proc
    launch proc
    if expect_main_window proc; then
        focus "$main"
        xdotool key ctrl+o
        if dialog=$(wait_for_window "^Open Palette In Huevra$"); then
            focus "$dialog"
            xdotool type --delay 5 "/proc/"
            xdotool key Return
            # Typing goes on only while the dialog answers. Escape closes the completion list,
            # if one is open, then the dialog; a frozen dialog closes for none of them.
            xdotool type --delay 5 "self"
            xdotool key ctrl+a BackSpace
            closed=no
            for attempt in 1 2 3 4; do
                xdotool key Escape
                if wait_for_no_window "^Open Palette In Huevra$" 5; then
                    closed=yes
                    break
                fi
            done
            if [ "$closed" = yes ]; then
                focus "$main"
                xdotool key ctrl+o
                if dialog=$(wait_for_window "^Open Palette In Huevra$" 15); then
                    echo "proc: the dialog listed /proc and still answers"
                    focus "$dialog"
                    xdotool key Escape
                else
                    fail "proc: the program stopped answering after the dialog closed"
                fi
            else
                fail "proc: the dialog froze on /proc"
            fi
        else
            fail "proc: no open dialog"
        fi
    fi
    stop_app
else
    echo "proc: skipped, /proc/kmsg needs root"
fi

e2e_end
