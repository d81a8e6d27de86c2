#!/usr/bin/env bash
# The X clipboard's text belongs to the program that set it. Checks that Huevra's last code text
# is still on the clipboard after Huevra exits while a clipboard manager runs, and that without
# one it goes with the program (as the README says).
#   run-e2e-clipboard-manager.sh path/to/huevra
# HUEVRA_CLIPBOARD_MANAGER   the manager's command (default: parcellite -n, no tray icon, with its
#                            "Restore Empty" setting on, without which parcellite lets an
#                            exiting owner's text go); xfce4-clipman keeps it as it comes
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"

manager_pid=""
stop_manager() {
    if [ -n "$manager_pid" ]; then
        kill "$manager_pid" 2>/dev/null || true
        wait "$manager_pid" 2>/dev/null || true
        manager_pid=""
    fi
}
trap 'stop_app; stop_manager; rm -rf "$scratch"' EXIT

# Starts the program, waits for its code text on the clipboard and exits it through Exit.
run_and_exit() {
    local main
    launch "$1"
    wait_for_clipboard "#FF0000" >/dev/null || fail "$1: the clipboard never held #FF0000"
    # A manager that polls the clipboard (parcellite looks twice a second) must have seen the
    # text once before the program exits, as it has when a user works for a moment.
    [ "$1" = managed ] && sleep 1.5
    if ! main=$(wait_for_window "^Huevra - " 5); then
        fail "$1: no main window"
        return
    fi
    focus "$main"
    xdotool key ctrl+w
    local asked
    asked=$(now)
    wait_for_exit 15 || fail "$1: the program did not exit"
    [ "${app_status:-1}" -eq 0 ] || fail "$1: the program exited with status ${app_status:-?}"
    echo "$1: the program ended $(awk -v a="$(now)" -v b="$asked" 'BEGIN { printf "%.1f", a - b }') s after Exit"
}

# Waits up to $1 seconds for the clipboard to hold #FF0000 with the program gone.
clipboard_kept() {
    local until
    until=$(deadline "$1")
    while before "$until"; do
        [ "$(xclip -o -selection clipboard 2>/dev/null || true)" = "#FF0000" ] && return 0
        sleep 0.1
    done
    return 1
}

# Without a manager the text goes with its owner.
start_app alone
run_and_exit alone
if clipboard_kept 1; then
    fail "without a clipboard manager the text outlived the program"
else
    echo "without a clipboard manager the text is gone after exit"
fi

# With a manager it stays.
start_app managed
for dir in "$HOME/.config/parcellite" "$XDG_CONFIG_HOME/parcellite"; do
    mkdir -p "$dir"
    printf '[rc]\nuse_copy=true\nrestore_empty=true\n' >"$dir/parcelliterc"
done
read -r -a manager <<<"${HUEVRA_CLIPBOARD_MANAGER:-parcellite -n}"
"${manager[@]}" >"$scratch/manager.log" 2>&1 &
manager_pid=$!
run_and_exit managed
if clipboard_kept 5; then
    echo "with ${manager[0]} running the text \"#FF0000\" outlives the program"
else
    fail "with ${manager[0]} running the clipboard holds \"$(xclip -o -selection clipboard 2>/dev/null || true)\" after exit"
fi
stop_manager

e2e_end
