#!/usr/bin/env bash
# Checks that ELF files were built with Debian's hardening flags, as hardening-check (devscripts)
# sees them, and fails on any "no".
#   check-hardening.sh FILE...          the program and the modules, as installed
#   check-hardening.sh --probe FILE     the hardening probe (tests/dist/hardening_probe.cpp)
#
# Three of hardening-check's answers cannot say "yes" for every file, and are judged here:
# - Fortify Source functions: it says "yes" only when it finds a checked call (__read_chk and the
#   like). The compiler makes one only where it knows the size of the buffer written to, and in
#   our programs no call has one: each object is the same machine code with and without
#   _FORTIFY_SOURCE. So it says "no, only unprotected functions found" for memcpy and memmove
#   even though the flag was given. That answer is accepted for installed files; the probe, built
#   with the same flags and holding such a call, must say "yes".
# - Stack clash protection: "unknown" when no function has a frame of a size known only at run
#   time; hardening-check itself accepts that. The probe, which has one, must say "yes".
# - Control flow integrity: the linker marks a file as guarded only when every object in it is,
#   and Debian 12 builds its C library's start files (crti.o, crtn.o) without the mark, so this is
#   "no" for every program on Debian 12 (/usr/bin/ls too). In its place every function the file
#   exports must begin with endbr64, the landing instruction that -fcf-protection puts there.
set -uo pipefail

probe=0
if [ "${1:-}" = --probe ]; then
    probe=1
    shift
fi
[ $# -gt 0 ] || { echo "usage: check-hardening.sh [--probe] FILE..." >&2; exit 2; }
if ! command -v hardening-check >/dev/null; then
    echo "hardening-check is missing: scripts/install-deps.sh installs it (devscripts)" >&2
    exit 1
fi

failed=0
bad() {
    echo "  FAIL $1: $2"
    failed=1
}

# Prints the exported functions of $1 that do not begin with endbr64, and fails when it exports
# none at all.
unlanded_exports() {
    local file=$1 addresses
    addresses=$(readelf --wide --dyn-syms "$file" \
        | awk '$4 == "FUNC" && $7 != "UND" && $2 !~ /^0+$/ { print $2 }' | sed 's/^0*//' | sort -u)
    [ -n "$addresses" ] || { echo "(no exported functions)"; return 1; }
    objdump --disassemble --no-show-raw-insn "$file" 2>/dev/null \
        | awk -v list="$addresses" '
            BEGIN { n = split(list, a, "\n"); for (i = 1; i <= n; i++) want[a[i]] = 1 }
            /^ *[0-9a-f]+:\t/ {
                address = $1; sub(/:$/, "", address); sub(/^0+/, "", address)
                if (address in want) {
                    if ($2 != "endbr64") print address
                    delete want[address]
                }
            }
            END { for (address in want) print address " (not found)" }'
}

for file in "$@"; do
    # Its exit status counts the answers this script judges otherwise; the lines below decide.
    report=$(hardening-check --verbose "$file" 2>&1)
    echo "$report"
    [ -f "$file" ] || { bad "$file" "no such file"; continue; }
    answers=0
    while IFS= read -r line; do
        case "$line" in
            " "*": "*) ;;
            *) continue ;;
        esac
        answers=$((answers + 1))
        name=${line%%:*}
        name=${name# }
        answer=${line#*: }
        case "$answer" in
            yes* | "no, regular shared library (ignored)") continue ;;
        esac
        case "$name:$answer" in
            "Fortify Source functions:"*)
                if [ $probe -eq 1 ]; then
                    bad "$file" "the probe's checked read was not fortified"
                else
                    echo "  (fortify: no call here writes to a buffer of a known size)"
                fi ;;
            "Stack clash protection:unknown"*)
                if [ $probe -eq 1 ]; then
                    bad "$file" "the probe's frame is not probed page by page"
                else
                    echo "  (stack clash: no frame here grows by a size known only at run time)"
                fi ;;
            "Control flow integrity:"*)
                if [ $probe -eq 0 ]; then
                    if unlanded=$(unlanded_exports "$file") && [ -z "$unlanded" ]; then
                        echo "  (control flow: every exported function begins with endbr64)"
                    else
                        bad "$file" "exported functions without endbr64: $(echo $unlanded | head -c 200)"
                    fi
                fi ;;
            *) bad "$file" "$name: $answer" ;;
        esac
    done <<<"$report"
    [ $answers -ge 7 ] || bad "$file" "hardening-check gave no answers"
done
exit $failed
