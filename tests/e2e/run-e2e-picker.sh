#!/usr/bin/env bash
# Picks colours from the screen of a virtual X server as a user would: ticks Colour Pick Mode,
# drags from the selected sample to a known pixel and releases there, then reads the clipboard.
# Covers scaled screens, the right one of two monitors and the desktop portal's pick.
#   run-e2e-picker.sh path/to/huevra
# HUEVRA_FAKE_PORTAL   the fake desktop portal program (tests/support/FakePortal.cpp); without
#                      it the portal runs are skipped. Where the portal's own front end
#                      (/usr/libexec/xdg-desktop-portal) is installed, it also runs in front of
#                      the fake program acting as the desktop's backend.
set -euo pipefail
export E2E_SCREEN=2560x1200x24
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

bus_pid=""
portal_pid=""
backend_pid=""
stop_bus() {
    local pid
    for pid in "$portal_pid" "$backend_pid" "$bus_pid"; do
        if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    done
    portal_pid=""
    backend_pid=""
    bus_pid=""
}

# Starts a session bus of our own that starts no installed services.
start_bus() {
    dbus-daemon --config-file="$(dirname "$0")/../platform/private-session-bus.conf" --fork \
        --print-address=3 --print-pid=4 3>"$scratch/bus-address" 4>"$scratch/bus-pid"
    bus_pid=$(cat "$scratch/bus-pid")
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$scratch/bus-address")
    export DBUS_SESSION_BUS_ADDRESS
}

# Waits until the line $2 stands in the log $1.
wait_for_line() {
    local until
    until=$(deadline 10)
    until grep -q "$2" "$1" || ! before "$until"; do sleep 0.05; done
    grep -q "$2" "$1"
}

# Presses on the selected sample box and expects the clipboard to hold $2; $1 names the check.
check_portal_pick() {
    click_at 70 265
    if wait_for_clipboard "$2" >/dev/null; then
        echo "$1: picked $2"
    else
        fail "$1: the pick did not give $2"
    fi
}
trap 'stop_app; stop_bus; rm -rf "$scratch"' EXIT

# The root window: left half $2, right half columns alternating $1 (odd x) and $2 (even x).
stripe_right_half() {
    local xbm="$scratch/stripes.xbm"
    awk 'BEGIN {
        print "#define s_width 2560"; print "#define s_height 1200"
        print "static unsigned char s_bits[] = {"
        for (y = 0; y < 1200; y++)
            for (b = 0; b < 320; b++)
                printf "%s%s", (y || b) ? "," : "", (b < 160 ? "0x00" : "0xaa")
        print "};"
    }' >"$xbm"
    xsetroot -bitmap "$xbm" -fg "$1" -bg "$2"
}

# Opens the program with the scale factor $2 (run name $1) and ticks Colour Pick Mode.
# Window positions are the ones at scale 1 times the factor.
open_in_pick_mode() {
    local run=$1
    scale=$2
    start_app "$run"
    export QT_SCALE_FACTOR=$scale
    launch "$run"
    unset QT_SCALE_FACTOR
    if ! main=$(wait_for_window "^Huevra - New palette$"); then
        fail "$run: the main window did not appear"
        return 1
    fi
    focus "$main"
    wait_for_clipboard "#FF0000" >/dev/null || fail "$run: no colour on the clipboard at start"
    click_at 18 164
}

# Clicks at a window position given at scale 1.
click_at() {
    xdotool mousemove --sync "$(scaled "$1")" "$(scaled "$2")" click 1
}

scaled() { awk -v v="$1" -v f="$scale" 'BEGIN { printf "%d", v * f }'; }

# Drags from the selected sample box (mark 0) to the screen pixel ($1, $2) and releases there.
drag_to() {
    local x0 y0
    x0=$(scaled 70)
    y0=$(scaled 265)
    xdotool mousemove --sync "$x0" "$y0" mousedown 1
    xdotool mousemove --sync $((x0 + 40)) $((y0 + 40))
    xdotool mousemove --sync "$1" "$2"
    xdotool mouseup 1
}

# One pick: drag to ($2, $3) and expect the clipboard to hold $4; $1 names the check.
check_pick() {
    drag_to "$2" "$3"
    if wait_for_clipboard "$4" >/dev/null; then
        echo "$1: picked $4 at ($2, $3)"
    else
        fail "$1: the pick at ($2, $3) did not give $4"
    fi
}

# One screen, plain green, at scale 1 and 2.
xsetroot -solid '#00FF00'
for factor in 1 2; do
    if open_in_pick_mode "scale$factor" "$factor"; then
        check_pick "scale $factor" 2000 1000 "#00FF00"
    fi
    stop_app
done

# Two monitors side by side; the right one striped in single pixel columns, so that a pixel
# next to the one under the hot spot gives the other colour.
xrandr --setmonitor Left 1280/340x1200/270+0+0 screen >/dev/null
xrandr --setmonitor Right 1280/340x1200/270+1280+0 none >/dev/null
stripe_right_half '#00FF00' '#3366CC'
for factor in 1 1.5 2; do
    if open_in_pick_mode "monitors$factor" "$factor"; then
        check_pick "right monitor, scale $factor, odd column" 1801 1001 "#00FF00"
        check_pick "right monitor, scale $factor, even column" 1802 1001 "#3366CC"
        check_pick "right monitor, scale $factor, last pixel" 2559 1199 "#00FF00"
    fi
    stop_app
done

# The desktop portal on a private session bus: a press on the sample asks it for the colour.
if [ -n "${HUEVRA_FAKE_PORTAL:-}" ]; then
    start_bus
    export HUEVRA_PICK_THROUGH_PORTAL=1

    # Without a portal the press tells so.
    if open_in_pick_mode portal-missing 1; then
        click_at 70 265
        if box=$(wait_for_window "^Huevra$"); then
            echo "no portal: the user is told"
            focus "$box"
            xdotool key Return
        else
            fail "no message without a portal"
        fi
    fi
    stop_app

    # Another client on the bus sends magenta on the request object first; the portal's own
    # colour is the one taken.
    "$HUEVRA_FAKE_PORTAL" pick 0.2 0.4 0.8 forged >"$scratch/portal.log" 2>&1 &
    portal_pid=$!
    wait_for_line "$scratch/portal.log" ready || fail "portal: the fake portal did not start"
    if open_in_pick_mode portal 1; then
        check_portal_pick "portal" "#3366CC"
    fi
    stop_app
    stop_bus

    # The portal's own front end, with the fake program as the desktop's backend behind it.
    if [ -x /usr/libexec/xdg-desktop-portal ]; then
        start_bus
        mkdir -p "$scratch/portals"
        # The front end offers the screenshot portal only with a backend for access dialogs
        # too; a colour pick asks for no access.
        printf '%s\n' '[portal]' 'DBusName=org.freedesktop.impl.portal.desktop.huevratest' \
            'Interfaces=org.freedesktop.impl.portal.Screenshot;org.freedesktop.impl.portal.Access;' \
            'UseIn=huevratest' >"$scratch/portals/huevratest.portal"
        "$HUEVRA_FAKE_PORTAL" backend 0.8 0.4 0.2 >"$scratch/backend.log" 2>&1 &
        backend_pid=$!
        wait_for_line "$scratch/backend.log" ready || fail "front end: the backend did not start"
        XDG_DESKTOP_PORTAL_DIR="$scratch/portals" XDG_CURRENT_DESKTOP=huevratest \
            /usr/libexec/xdg-desktop-portal -r -v >"$scratch/portal-frontend.log" 2>&1 &
        portal_pid=$!
        until=$(deadline 10)
        until dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.GetNameOwner string:org.freedesktop.portal.Desktop \
            >/dev/null 2>&1 || ! before "$until"; do sleep 0.1; done
        if open_in_pick_mode frontend 1; then
            check_portal_pick "portal front end" "#CC6633"
            grep -q "backend pick /org/freedesktop/portal/desktop/request/" "$scratch/backend.log" ||
                fail "portal front end: the backend was not asked"
        fi
        stop_app
        stop_bus
    else
        echo "portal front end run skipped: /usr/libexec/xdg-desktop-portal is not installed"
    fi
    unset HUEVRA_PICK_THROUGH_PORTAL
else
    echo "portal runs skipped: HUEVRA_FAKE_PORTAL is not set"
fi

e2e_end
