#!/usr/bin/env bash
# Chooses code formats on a virtual X server with keys that arrive in one burst, as a user
# typing fast would, and checks that the highlighted format, the clipboard and the stored
# standard format agree; then that a template with direction and control characters reaches the
# clipboard exactly as written.
#   run-e2e-format-list.sh path/to/huevra
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

# Rows of the two format lists at Qt's own style and font: the middle of row 0 and the height of
# a row, in the window's pixels, and a column inside every row.
main_list_x=580 main_row0_y=61
options_list_x=250 options_row0_y=38
row_height=14

check_clipboard() {
    if wait_for_clipboard "$1" >/dev/null; then
        echo "clipboard \"$2\" $3"
    else
        fail "clipboard is not \"$2\" $3"
    fi
}

# True when the pixel at $2,$3 of window $1 has the colour of a highlighted row (blue).
highlighted() {
    local x y pixel
    x=$(($(xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[1] }') + $2))
    y=$(($(xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[2] }') + $3))
    # One pixel as text: "0,0: (red,green,blue) ...", 0..255 each.
    pixel=$(import -window root -crop "1x1+$x+$y" -depth 8 txt:- | sed -n 's/^0,0: *(\([^)]*\)).*/\1/p')
    awk -v p="$pixel" 'BEGIN { split(p, c, ","); exit !(c[3] > 150 && c[1] < 120) }'
}

# Checks that row $3 of the list in window $1 whose row 0 lies at $2 (x,y) is the only one of
# rows 0..5 highlighted.
check_highlight() {
    local id=$1 x=${2%,*} y0=${2#*,} expected=$3 row shown=""
    for row in 0 1 2 3 4 5; do
        if highlighted "$id" "$x" $((y0 + row * row_height)); then shown="$shown $row"; fi
    done
    if [ "$shown" = " $expected" ]; then
        echo "row $expected highlighted $4"
    else
        fail "rows highlighted:${shown:- none}, not $expected, $4"
    fi
}

# Main window: HTML Hex, then three Down keys in one burst reach VB.
start_app burst
launch burst
if main=$(wait_for_window "^Huevra - "); then
    check_clipboard "#FF0000" "#FF0000" "at the start"
    focus "$main"
    xdotool mousemove --window "$main" "$main_list_x" "$main_row0_y" click 1
    sleep 0.5
    xdotool key --delay 0 Down Down Down
    check_clipboard "RGB(255, 0, 0)" "RGB(255, 0, 0)" "after Down Down Down"
    sleep 0.3
    check_highlight "$main" "$main_list_x,$main_row0_y" 3 "in the main window"

    # Options: three Down keys in one burst, then OK stores VB as the standard format.
    xdotool key F9
    if dialog=$(wait_for_window "^Options$" 5); then
        focus "$dialog"
        sleep 0.3
        xdotool key --delay 0 Down Down Down
        sleep 0.5
        check_highlight "$dialog" "$options_list_x,$options_row0_y" 3 "in Options"
        xdotool key Return
        wait_for_no_window "^Options$" 5 || fail "Options did not close on Enter"
        stored=$(grep -a '^FormatIndex=' "$XDG_CONFIG_HOME/Pellmark/Huevra 2004.conf" || true)
        if [ "$stored" = "FormatIndex=3" ]; then
            echo "standard format VB stored"
        else
            fail "stored \"$stored\", not FormatIndex=3"
        fi
        focus "$main"
        check_clipboard "RGB(255, 0, 0)" "RGB(255, 0, 0)" "after Options"
        check_highlight "$main" "$main_list_x,$main_row0_y" 3 "in the main window after Options"
    else
        fail "no Options dialog"
    fi
else
    fail "the main window did not appear"
fi
stop_app

# A Custom template that holds a right-to-left override, a tab and a C1 control.
start_app hidden
mkdir -p "$XDG_CONFIG_HOME/Pellmark"
template=$'\u202e%UR%%UG%%UB%\ttail\u0085'
printf '[General]\nFormatIndex=11\nCustomFormat=%s\n' "$template" \
    >"$XDG_CONFIG_HOME/Pellmark/Huevra 2004.conf"
launch hidden
check_clipboard $'\u202eFF0000\ttail\u0085' "<U+202E>FF0000<tab>tail<U+0085>" \
    "with direction and control characters"
stop_app

e2e_end
