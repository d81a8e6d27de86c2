#!/usr/bin/env bash
# Sources the bash completion of huevra-cli and checks what it offers for a few command lines,
# the words split as bash splits them (with "=" as a word break, as bash has it by default).
# Given the program too, checks that it takes every notation the completion offers.
#   check-completion.sh path/to/huevra-cli.bash-completion [path/to/huevra-cli]
set -uo pipefail
script=${1:?usage: check-completion.sh path/to/huevra-cli.bash-completion [path/to/huevra-cli]}
program=${2:-}
# shellcheck source=/dev/null
source "$script" || { echo "FAIL: the script does not load"; exit 1; }
registered=$(complete -p huevra-cli 2>/dev/null)
[ "$registered" = "complete -F _huevra_cli huevra-cli" ] || { echo "FAIL: registered as '$registered'"; exit 1; }

failures=0
# expect "<expected replies, sorted, space-separated>" word...  (the last word is completed)
expect() {
    local expected=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _huevra_cli huevra-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]:-}"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//')
    if [ "$got" = "$expected" ]; then
        echo "ok:   $* -> $got"
    else
        echo "FAIL: $* -> '$got', expected '$expected'"
        failures=$((failures + 1))
    fi
}

expect "contrast convert" huevra-cli con
expect "check-palette classify contrast convert" huevra-cli c
expect "--help --version" huevra-cli --
expect "oklab oklch" huevra-cli convert --to ok
expect "oklab oklch" huevra-cli convert -t ok
expect "oklab oklch" huevra-cli convert '#fc0' --to = ok
expect "--to=oklab --to=oklch" huevra-cli convert --to=ok
expect "dotnet-html dotnet-ole dotnet-win32" huevra-cli convert --to hex --to dotnet
expect "--template --to" huevra-cli convert --t
expect "" huevra-cli convert --template ''
expect "" huevra-cli convert -- --t
expect "" huevra-cli name --to ok
expect "--help" huevra-cli classify --h
expect "--json" huevra-cli contrast --j
expect "" huevra-cli contrast '#fc0' --to ok
expect "deuteranopia" huevra-cli simulate --type d
expect "--type=protanopia" huevra-cli simulate --type=p
expect "protanopia" huevra-cli simulate red --type = p
expect "oklab oklch" huevra-cli simulate -t ok
expect "" huevra-cli simulate --to html
expect "--to --type" huevra-cli simulate --t
expect "AAA AAA-large" huevra-cli check-palette --level AAA
expect "--level=non-text" huevra-cli check-palette --level=n
expect "" huevra-cli check-palette --pair ''
expect "--pair" huevra-cli check-palette --level AA --p
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
touch "$scratch/palette.txt" "$scratch/other.txt"
expect "$scratch/palette.txt" huevra-cli check-palette --pair 1:2 "$scratch/pa"
expect "" huevra-cli check-palette -- --l
expect "palette" huevra-cli pa
expect "palette pick" huevra-cli p
expect "--copy" huevra-cli pick --c
expect "oklab oklch" huevra-cli pick --copy --to ok
expect "export import" huevra-cli palette ''
expect "css" huevra-cli palette export --format c
expect "scss" huevra-cli palette export -f s
expect "--format=gpl" huevra-cli palette import --format=g
expect "ase" huevra-cli palette export --format = a
expect "-- --format --help --output" huevra-cli palette export --
# A file name: the man page beside the script.
expect "${script%.bash-completion}.1" huevra-cli palette export -f gpl "${script%.bash-completion}.1"

if [ -n "$program" ]; then
    COMP_WORDS=(huevra-cli convert --to "")
    COMP_CWORD=3
    _huevra_cli
    [ "${#COMPREPLY[@]}" -eq 26 ] || {
        echo "FAIL: --to offers ${#COMPREPLY[@]} notations and formats, not 26"
        failures=$((failures + 1))
    }
    for key in "${COMPREPLY[@]}"; do
        if ! out=$("$program" convert --to "$key" --template x red 2>&1); then
            echo "FAIL: huevra-cli refuses --to $key: $out"
            failures=$((failures + 1))
        fi
    done
    echo "checked the ${#COMPREPLY[@]} notations of --to against $program"
    COMP_WORDS=(huevra-cli simulate --type "")
    COMP_CWORD=3
    _huevra_cli
    for key in "${COMPREPLY[@]}"; do
        if ! out=$("$program" simulate --type "$key" red 2>&1); then
            echo "FAIL: huevra-cli refuses --type $key: $out"
            failures=$((failures + 1))
        fi
    done
    COMP_WORDS=(huevra-cli simulate --type protanopia --to "")
    COMP_CWORD=5
    _huevra_cli
    [ "${#COMPREPLY[@]}" -eq 14 ] || {
        echo "FAIL: simulate --to offers ${#COMPREPLY[@]} notations, not 14"
        failures=$((failures + 1))
    }
    for key in "${COMPREPLY[@]}"; do
        if ! out=$("$program" simulate --type protanopia --to "$key" red 2>&1); then
            echo "FAIL: huevra-cli simulate refuses --to $key: $out"
            failures=$((failures + 1))
        fi
    done
fi
[ "$failures" -eq 0 ] || { echo "$failures completion check(s) failed"; exit 1; }
echo "All completion checks passed."
