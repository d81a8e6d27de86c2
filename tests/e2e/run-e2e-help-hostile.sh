#!/usr/bin/env bash
# Opens the manual with F1 from hostile surroundings on a virtual X server, as a user would:
# a help file beside the program whose pages name files outside it (FIFOs, /dev/zero, files by
# file address, by absolute path and by a path up out of the help file), and a FIFO named
# huevra.css in the folder the program starts in. The program reads none of them: the page
# shows within seconds, memory stays small, and Exit ends the program.
#   run-e2e-help-hostile.sh path/to/huevra
# HUEVRA_QHELPGENERATOR  Qt's help generator (default /usr/lib/qt6/libexec/qhelpgenerator)
# HUEVRA_E2E_SHOT        when set, screenshots of the viewer are saved with this prefix
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
e2e_begin "$0" "$@"
binary=$(readlink -f "$binary")

qhelpgenerator=${HUEVRA_QHELPGENERATOR:-/usr/lib/qt6/libexec/qhelpgenerator}

shot() {
    if [ -n "${HUEVRA_E2E_SHOT:-}" ] && command -v import >/dev/null; then
        import -window root "${HUEVRA_E2E_SHOT}-$1.png"
    fi
}

# Files that no help page may have read. A read would block on the FIFOs for ever; the plain
# files are given a last access long ago, which any read moves to now.
outside="$scratch/outside"
mkdir -p "$outside"
mkfifo "$outside/huevra.css" "$outside/fifo.css" "$outside/fifo.png"
for probe in probe1.png probe2.png probe3.png probe.css; do
    printf 'not to be read\n' >"$outside/$probe"
    touch -a -d '2000-01-01 00:00:00' "$outside/$probe"
done

untouched() {
    local name=$1 probe
    for probe in probe1.png probe2.png probe3.png probe.css; do
        if [ "$(stat -c %X "$outside/$probe")" != "$(date -d '2000-01-01 00:00:00' +%s)" ]; then
            fail "$name: $probe was read"
        fi
    done
}

# The memory the program holds, in MB.
memory_mb() { awk '/^VmRSS:/ { print int($2 / 1024) }' "/proc/$app_pid/status" 2>/dev/null || echo 0; }

# F1 in the main window shows the topic titled $2 within 5 s; then Exit ends the program within
# 5 s. Run $1 is started in the folder $outside.
f1_then_exit() {
    local name=$1 title=$2 main viewer used
    pushd "$outside" >/dev/null
    launch "$name"
    popd >/dev/null
    if ! main=$(wait_for_window "^Huevra - New palette$"); then
        fail "$name: no main window"
        return
    fi
    focus "$main"
    started=$(now)
    xdotool key F1
    if viewer=$(wait_for_window "^Huevra Help - $title\$" 5); then
        echo "$name: F1 shows \"$(xdotool getwindowname "$viewer")\" after" \
            "$(awk -v a="$(now)" -v b="$started" 'BEGIN { printf "%.2f", a - b }') s"
        shot "$name"
    else
        fail "$name: F1 showed no \"$title\" within 5 s"
    fi
    used=$(memory_mb)
    echo "$name: the program holds $used MB"
    [ "$used" -lt 400 ] || fail "$name: the program holds $used MB"
    focus "$main"
    xdotool key ctrl+w
    if wait_for_exit 5; then
        echo "$name: Exit ended the program with status $app_status"
        [ "$app_status" -eq 0 ] || fail "$name: the program ended with status $app_status"
    else
        fail "$name: the program did not end within 5 s of Exit"
    fi
    stop_app
}

# The program's own help file, from a folder that holds a FIFO named huevra.css.
start_app fifo-folder
f1_then_exit fifo-folder "The main window"
untouched fifo-folder

# A hostile help file beside a copy of the program and its help viewer module.
start_app hostile-file
pages="$scratch/hostile-pages"
mkdir -p "$pages" "$scratch/bin"
cat >"$pages/huevra1.htm" <<EOF
<html><head><title>Hostile page</title>
<link rel="stylesheet" type="text/css" href="file://$outside/fifo.css">
<link rel="stylesheet" type="text/css" href="/dev/zero">
<link rel="stylesheet" type="text/css" href="huevra.css">
<link rel="stylesheet" type="text/css" href="file://$outside/probe.css">
</head><body>
<h1>Hostile page</h1>
<p><img src="file://$outside/probe1.png"> <img src="$outside/probe2.png">
<img src="../../../../../../../../../..$outside/probe3.png"></p>
<div style="background-image: url('file://$outside/fifo.png')">background</div>
<p><a href="file:///dev/zero">zero</a> <a href="/dev/zero">zero again</a></p>
</body></html>
EOF
cat >"$pages/huevra.qhp" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<QtHelpProject version="1.0">
<namespace>org.example.hostile</namespace><virtualFolder>doc</virtualFolder>
<filterSection><toc><section title="Hostile page" ref="huevra1.htm"/></toc>
<files><file>huevra1.htm</file></files></filterSection>
</QtHelpProject>
EOF
"$qhelpgenerator" "$pages/huevra.qhp" -o "$scratch/bin/huevra.qch" >"$scratch/qhelpgenerator.log" 2>&1
cp "$binary" "$scratch/bin/huevra"
cp "$(dirname "$binary")/huevra_helpviewer.so" "$scratch/bin/"
binary="$scratch/bin/huevra"
f1_then_exit hostile-file "Hostile page"
untouched hostile-file

e2e_end
