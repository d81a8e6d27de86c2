#!/usr/bin/env bash
# Precise Pick as a user meets it on a virtual X server of two monitors with different content,
# at the scale factors 1, 1.5 and 2: F7 freezes the screens, the arrow keys walk the magnifier a
# physical pixel (Shift: ten) to a one-pixel stripe, Enter, Space or a click takes its exact
# colour, which reaches the mark and the clipboard; Escape or another window taking the keyboard
# changes nothing. Where AT-SPI is installed, the magnifier's
# name is read as a screen reader reads it: "Precise Pick: #RRGGBB at x, y".
#   run-e2e-precisepick.sh path/to/huevra
# HUEVRA_E2E_SHOT_DIR   when set, a screenshot of the magnifier per scale is saved there
# HUEVRA_FAKE_PORTAL   the fake desktop portal program (tests/support/FakePortal.cpp); with it,
#                      F7 where the desktop picks is checked to ask the portal for the colour
# E2E_FACTORS          the scale factors to run (default "1 1.5 2")
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
[ -x "$python" ] || python=python3
atspi=""
if command -v dbus-run-session >/dev/null && [ -x /usr/libexec/at-spi-bus-launcher ] &&
    "$python" -c 'import pyatspi' 2>/dev/null; then
    atspi=1
fi
if [ -n "$atspi" ] && [ "${2:-}" = "--inside-x" ] && [ -z "${HUEVRA_PRIVATE_BUS:-}" ]; then
    # A private session bus, so that the test never meets the desktop's screen reader.
    exec env HUEVRA_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
export E2E_SCREEN=2560x1200x24
source "$here/e2e-lib.sh"
e2e_begin "$0" "$@"

spi_pid=""
portal_pid=""
portal_bus_pid=""
trap 'stop_app; for pid in "$spi_pid" "$portal_pid" "$portal_bus_pid"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null; done; rm -rf "$scratch"' EXIT
if [ -n "$atspi" ]; then
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$scratch/bus.log" 2>&1 &
    spi_pid=$!
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

# The root window: the left monitor $2, the right one columns alternating $1 (odd x) and $2
# (even x), with a row of $1 at y 1150 on the left monitor.
paint_screens() {
    local xbm="$scratch/stripes.xbm"
    awk 'BEGIN {
        print "#define s_width 2560"; print "#define s_height 1200"
        print "static unsigned char s_bits[] = {"
        for (y = 0; y < 1200; y++)
            for (b = 0; b < 320; b++)
                printf "%s%s", (y || b) ? "," : "", (b < 160 ? (y == 1150 ? "0xff" : "0x00") : "0xaa")
        print "};"
    }' >"$xbm"
    xsetroot -bitmap "$xbm" -fg "$1" -bg "$2"
}

# Prints the name of the shown object whose name starts with "Precise Pick:", as AT-SPI has it.
magnifier_name() {
    "$python" - <<'PY'
import sys, time
import pyatspi

until = time.monotonic() + 5
while time.monotonic() < until:
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "huevra":
            continue
        for window in app:
            if window is None:
                continue
            for node in pyatspi.findAllDescendants(
                    window, lambda n: (n.name or "").startswith("Precise Pick:")):
                print(node.name)
                sys.exit(0)
    time.sleep(0.2)
print("none")
sys.exit(1)
PY
}

# Waits until the magnifier's name is $1 (with AT-SPI); $2 names the check.
expect_name() {
    [ -n "$atspi" ] || return 0
    local until name=""
    until=$(deadline 5)
    while before "$until"; do
        name=$(magnifier_name || true)
        [ "$name" = "$1" ] && break
        sleep 0.1
    done
    if [ "$name" = "$1" ]; then echo "$2: a screen reader reads \"$name\""; else fail "$2: read \"$name\", not \"$1\""; fi
}

# Presses F7 in the main window and waits for the frozen screens.
start_pick() {
    focus "$main"
    xdotool key F7
    if ! overlay=$(wait_for_window "^Precise Pick$" 10); then
        fail "$1: F7 showed no Precise Pick"
        return 1
    fi
}

keys() { for key in "$@"; do xdotool key "$key"; done; }

xrandr --setmonitor Left 1280/340x1200/270+0+0 screen >/dev/null
xrandr --setmonitor Right 1280/340x1200/270+1280+0 none >/dev/null
paint_screens '#00FF00' '#3366CC'
for factor in ${E2E_FACTORS:-1 1.5 2}; do
    run="scale$factor"
    start_app "$run"
    export QT_SCALE_FACTOR=$factor
    launch "$run"
    unset QT_SCALE_FACTOR
    if ! main=$(wait_for_window "^Huevra - New palette$"); then
        fail "$run: the main window did not appear"
        stop_app
        continue
    fi
    focus "$main"
    wait_for_clipboard "#FF0000" >/dev/null || fail "$run: no colour on the clipboard at start"

    # Six pixels right onto an odd (green) column of the right monitor.
    xdotool mousemove --sync 1795 1001
    if start_pick "$run"; then
        keys Right Right Right Right Right Right
        expect_name "Precise Pick: #00FF00 at 1801, 1001" "$run, odd column"
        if [ -n "${HUEVRA_E2E_SHOT_DIR:-}" ] && command -v import >/dev/null; then
            import -window root -crop 640x480+1500+740 "$HUEVRA_E2E_SHOT_DIR/precisepick-$run.png"
        fi
        xdotool key Return
        wait_for_no_window "^Precise Pick$" 5 || fail "$run: Enter left the screens frozen"
        if wait_for_clipboard "#00FF00" >/dev/null; then
            echo "$run: Enter took #00FF00 at (1801, 1001)"
        else
            fail "$run: Enter at (1801, 1001) did not give #00FF00"
        fi
    fi

    # Shift+Right ten pixels to 1811, Left one to the even (blue) column 1810.
    if start_pick "$run"; then
        keys shift+Right Left
        expect_name "Precise Pick: #3366CC at 1810, 1001" "$run, even column"
        xdotool key space
        if wait_for_clipboard "#3366CC" >/dev/null; then
            echo "$run: Space took #3366CC at (1810, 1001)"
        else
            fail "$run: Space at (1810, 1001) did not give #3366CC"
        fi
    fi

    # Up to the single green row of the left monitor; Escape changes nothing.
    xdotool mousemove --sync 640 1153
    if start_pick "$run"; then
        keys Up Up Up
        expect_name "Precise Pick: #00FF00 at 640, 1150" "$run, left monitor row"
        xdotool key Escape
        wait_for_no_window "^Precise Pick$" 5 || fail "$run: Escape left the screens frozen"
        sleep 1
        text=$(xclip -o -selection clipboard 2>/dev/null || true)
        [ "$text" = "#3366CC" ] || fail "$run: Escape changed the clipboard to \"$text\""
        echo "$run: Escape changed nothing"
    fi

    # Another window taking the keyboard cancels too.
    if start_pick "$run"; then
        keys Right
        focus "$main"
        wait_for_no_window "^Precise Pick$" 5 || fail "$run: the pick outlived the keyboard's loss"
        text=$(xclip -o -selection clipboard 2>/dev/null || true)
        [ "$text" = "#3366CC" ] || fail "$run: losing the keyboard changed the clipboard to \"$text\""
        echo "$run: losing the keyboard cancelled"
    fi

    # The same row taken with a left click.
    xdotool mousemove --sync 640 1153
    if start_pick "$run"; then
        keys Up Up Up
        xdotool click 1
        if wait_for_clipboard "#00FF00" >/dev/null; then
            echo "$run: a click took #00FF00 at (640, 1150)"
        else
            fail "$run: a click at (640, 1150) did not give #00FF00"
        fi
    fi
    stop_app
done

# Where the desktop picks, F7 asks its portal (a fake one on a bus of its own); the colour it
# gives reaches the mark and the clipboard, without Colour Pick Mode.
if [ -n "${HUEVRA_FAKE_PORTAL:-}" ]; then
    dbus-daemon --config-file="$here/../platform/private-session-bus.conf" --fork \
        --print-address=3 --print-pid=4 3>"$scratch/bus-address" 4>"$scratch/bus-pid"
    portal_bus_pid=$(cat "$scratch/bus-pid")
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$scratch/bus-address")
    export DBUS_SESSION_BUS_ADDRESS
    "$HUEVRA_FAKE_PORTAL" pick 0.2 0.4 0.8 >"$scratch/portal.log" 2>&1 &
    portal_pid=$!
    export HUEVRA_PICK_THROUGH_PORTAL=1
    until=$(deadline 10)
    until grep -q ready "$scratch/portal.log" || ! before "$until"; do sleep 0.05; done
    start_app portal-pick
    launch portal-pick
    if main=$(wait_for_window "^Huevra - New palette$"); then
        focus "$main"
        wait_for_clipboard "#FF0000" >/dev/null || fail "portal: no colour on the clipboard at start"
        focus "$main"
        xdotool key F7
        if wait_for_clipboard "#3366CC" >/dev/null; then
            echo "portal: F7 took the desktop's #3366CC"
        else
            fail "portal: F7 did not take the desktop's colour"
        fi
        [ -z "$(xdotool search --onlyvisible --name "^Precise Pick$" 2>/dev/null || true)" ] ||
            fail "portal: the frozen screens were shown where the desktop picks"
    else
        fail "portal: the main window did not appear"
    fi
    stop_app
    unset HUEVRA_PICK_THROUGH_PORTAL
else
    echo "portal run skipped: HUEVRA_FAKE_PORTAL is not set"
fi

[ -n "$atspi" ] || echo "AT-SPI is not installed: the magnifier's name was not read"
e2e_end
