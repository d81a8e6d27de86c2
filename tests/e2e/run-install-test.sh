#!/usr/bin/env bash
# Unpacks the .deb into a fresh root as dpkg would install it, checks the installed files with
# the desktop's own validators, lintian and hardening-check, that apt can resolve every
# dependency, and that the installed program finds all its libraries, starts, shows its window
# with its icon and finds its help file; and that the installed huevra-cli runs, with its man
# page and bash completion.
#   run-install-test.sh path/to/huevra_*.deb
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deb=$(readlink -f "${1:?usage: run-install-test.sh path/to/huevra_*.deb}")
source "$here/e2e-lib.sh"
# The program under test is the installed one inside the unpacked root.
e2e_begin "$0" "$deb" "${2:-}"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
binary="$root/usr/bin/huevra"
app_id=com.pellmark.Huevra

for file in usr/bin/huevra usr/bin/huevra-cli \
    "usr/share/applications/$app_id.desktop" \
    "usr/share/metainfo/$app_id.metainfo.xml" \
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
    usr/share/man/man1/huevra.1.gz usr/share/man/man1/huevra-cli.1.gz \
    usr/share/bash-completion/completions/huevra-cli \
    usr/share/doc/huevra/copyright usr/share/doc/huevra/changelog.gz; do
    [ -e "$root/$file" ] || fail "the package holds no /$file"
done
help_file="$root/usr/share/huevra/huevra.qch"

missing=$(ldd "$binary" | grep "not found" || true)
[ -z "$missing" ] || fail "libraries not found: $missing"
module=$(find "$root/usr/lib" -name huevra_helpviewer.so | head -n 1)
if [ -z "$module" ]; then
    fail "the help viewer module is not in the package"
else
    missing=$(ldd "$module" | grep "not found" || true)
    [ -z "$missing" ] || fail "libraries of the help viewer not found: $missing"
fi

# The program and the help viewer module carry Debian's hardening (tests/dist/check-hardening.sh
# says which of hardening-check's answers it judges itself, and why). The probe that shows the
# flags that leave no trace in them is checked too when the package lies in its build folder.
hardened=("$binary" "$root/usr/bin/huevra-cli")
[ -z "$module" ] || hardened+=("$module")
probe="$(dirname "$deb")/tests/dist/hardening_probe"
if [ -x "$probe" ]; then
    bash "$here/../dist/check-hardening.sh" --probe "$probe" || fail "the hardening probe"
else
    echo "no hardening probe beside the package; only the installed files are checked"
fi
bash "$here/../dist/check-hardening.sh" "${hardened[@]}" || fail "hardening"

# The dependencies come from the libraries the program links, and apt finds every one of them.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libqt6help6 libqt6sql6-sqlite libc6 libstdc++6 \
    qt6-qpa-plugins; do
    [[ "$depends" == *"$lib"* ]] || fail "Depends names no $lib"
done
if [ "$(id -u)" -eq 0 ]; then
    apt-get install --simulate --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 \
        || fail "apt cannot install the package: $(tail -n 3 "$scratch/apt.log")"
fi

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" \
        || fail "AppStream metainfo"
fi
if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || true
    grep -v "root privileges" "$scratch/lintian.log" || true
    if grep -q "^E:" "$scratch/lintian.log"; then fail "lintian reports errors"; fi
fi

# The command-line companion runs from the package, its manual renders and its completion loads.
cli="$root/usr/bin/huevra-cli"
missing=$(ldd "$cli" | grep "not found" || true)
[ -z "$missing" ] || fail "libraries of huevra-cli not found: $missing"
converted=$("$cli" convert '#fc0' 2>&1) || fail "huevra-cli convert '#fc0' failed: $converted"
[ "$converted" = "#ffcc00" ] || fail "huevra-cli convert '#fc0' gave '$converted', not #ffcc00"
echo "the installed huevra-cli converts '#fc0' to $converted"
if command -v man >/dev/null; then
    man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l \
        "$root/usr/share/man/man1/huevra-cli.1.gz" 2>&1 >/dev/null || true)
    [ -z "$man_warnings" ] || fail "the huevra-cli man page: $man_warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/usr/share/man/man1/huevra-cli.1.gz" 2>/dev/null |
        grep -qE "huevra-cli +- +convert, +name, +classify +and +check" || fail "the huevra-cli man page"
fi
completed=$(bash -c 'source "$1" && COMP_WORDS=(huevra-cli conv) COMP_CWORD=1 &&
    _huevra_cli && echo "${COMPREPLY[*]}"' bash \
    "$root/usr/share/bash-completion/completions/huevra-cli" 2>&1) || true
[ "$completed" = convert ] || fail "the installed completion gives '$completed' for 'conv'"

# The installed program starts and shows its window with the application's icon.
start_app installed
launch installed
if main=$(wait_for_window "^Huevra - New palette$" 15); then
    echo "the installed program shows its window"
    # grep reads all of xprop's drawing of the icon: with -q it would stop at the first line and
    # end xprop by SIGPIPE, which pipefail counts as a failure.
    if ! xprop -id "$main" _NET_WM_ICON 2>/dev/null | grep "_NET_WM_ICON(CARDINAL)" >/dev/null; then
        fail "the window has no icon"
    fi
    # The help file beside the program is absent; the one under share/huevra must be found.
    if [ -e "$help_file" ]; then
        focus "$main"
        xdotool key F1
        # The help viewer is a new window of the program; a message box would be titled Huevra.
        help=""
        until=$(deadline 10)
        while [ -z "$help" ] && before "$until" && app_running; do
            for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null || true); do
                title=$(xdotool getwindowname "$id" 2>/dev/null || true)
                if [ "$id" != "$main" ] && [ -n "$title" ] && [ "$title" != Huevra ]; then
                    help=$id
                fi
            done
            sleep 0.1
        done
        if [ -n "$help" ]; then
            echo "the installed program opens its help: \"$(xdotool getwindowname "$help")\""
        else
            fail "F1 opened no help window"
        fi
        if [ -n "$(xdotool search --onlyvisible --name "^Huevra$" 2>/dev/null || true)" ]; then
            fail "F1 showed a message instead of the help"
        fi
    else
        echo "the package holds no help file yet; the help check is skipped"
    fi
else
    fail "the installed program showed no window"
fi
stop_app
e2e_end
