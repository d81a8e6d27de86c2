#!/usr/bin/env bash
# Starts the program on a virtual X server with its own session bus and accessibility bus, as a
# screen reader finds it, and checks through AT-SPI that no interactive control of any window
# lacks a name.
#   run-e2e-accessibility.sh path/to/huevra
# HUEVRA_ATSPI_LIST   when set, every interactive control is listed with its name
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e-lib.sh"
if [ "${2:-}" = "--inside-x" ] && [ -z "${HUEVRA_PRIVATE_BUS:-}" ]; then
    # A private session bus, so that the test never meets the desktop's screen reader.
    exec env HUEVRA_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
e2e_begin "$0" "$@"

spi_pids=()
stop_spi() {
    local pid
    for pid in "${spi_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    spi_pids=()
}
trap 'stop_app; stop_spi; rm -rf "$scratch"' EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$scratch/bus.log" 2>&1 &
spi_pids+=($!)
# The registry starts on demand; the check below asks for it.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_app accessibility
launch accessibility
wait_for_window "^Huevra - " 15 >/dev/null || fail "no main window"
# Debian's own Python, which has the pyatspi package, whatever else is first on the path.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
if ! "$python" "$here/atspi-check.py" ${HUEVRA_ATSPI_LIST:+--list} >"$scratch/check.log" 2>&1; then
    fail "controls without a name"
fi
cat "$scratch/check.log"
e2e_end
