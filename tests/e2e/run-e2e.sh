#!/usr/bin/env bash
# Starts the real program on a virtual X server with its own settings folder and checks, from
# outside the program, what it puts on the clipboard and which title its window carries.
#   run-e2e.sh path/to/huevra
# HUEVRA_E2E_LIMIT   seconds allowed from start to the code text on the clipboard (default 3;
#                    the program aims at 1.5, and the time taken is always printed)
# HUEVRA_E2E_SHOT    when set, a screenshot of the first start is saved there (needs "import")
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

limit=${HUEVRA_E2E_LIMIT:-3}

check_clipboard() {
    local expected=$1 seconds
    if seconds=$(wait_for_clipboard "$expected"); then
        echo "clipboard \"$expected\" after $seconds s (aim 1.5 s, limit $limit s)"
        if awk -v s="$seconds" -v l="$limit" 'BEGIN { exit !(s > l) }'; then
            fail "\"$expected\" came after ${seconds} s"
        fi
    else
        fail "clipboard never held \"$expected\""
    fi
}

check_title() {
    local expected=$1 id
    if ! id=$(wait_for_window "^Huevra" 5); then
        fail "no window titled Huevra"
        return
    fi
    if wait_for_title "$id" "$expected" 2; then
        echo "window title \"$expected\""
    else
        fail "window title is not \"$expected\""
    fi
}

# First start: the default format shows red as HTML Hex.
start_app default
launch default
check_clipboard "#FF0000"
check_title "Huevra - New palette"
if [ -n "${HUEVRA_E2E_SHOT:-}" ] && command -v import >/dev/null; then
    import -window root "$HUEVRA_E2E_SHOT"
fi
stop_app

# A stored format index chooses the format at start.
start_app stored
mkdir -p "$XDG_CONFIG_HOME/Pellmark"
printf '[General]\nFormatIndex=3\n' >"$XDG_CONFIG_HOME/Pellmark/Huevra 2004.conf"
launch stored
check_clipboard "RGB(255, 0, 0)"
stop_app

e2e_end
