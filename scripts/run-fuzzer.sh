#!/usr/bin/env bash
# Runs the fuzzers: the palette file reader, the settings loader, the Custom template renderer,
# the colour text reader, the command line of huevra-cli and the palette interchange readers,
# each seeded with its corpus under fuzz/corpus (the palettes of tests/data too) and its
# dictionary under fuzz/.
#   scripts/run-fuzzer.sh <build dir> <seconds per target> [target...]     short run
#   scripts/run-fuzzer.sh --long <build dir> <runs per target> [target...]  long run
# The targets are palette, settings, template, colour_text, cli_args and palette_exchange; all
# six when none is named.
# The long run keeps what it finds in <build dir>/fuzz-corpus, so a second run goes on from it,
# runs the targets side by side, and prints each target's runs in two lines: the texts at
# the limits and the bulk. Exits non-zero when a fuzzer finds a problem; the
# input is kept in <build dir>/fuzz-findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
long=no
if [ "${1:-}" = --long ]; then
    long=yes
    shift
fi
build=${1:-build-fuzz}
case $build in /*) ;; *) build=$PWD/$build ;; esac
if [ "$long" = yes ]; then
    runs=${2:-10000000}
else
    seconds=${2:-20}
fi
targets=(palette settings template colour_text cli_args palette_exchange)
if [ $# -gt 2 ]; then targets=("${@:3}"); fi

fuzzer_path() {
    local name=$1
    if [ -x "$build/fuzz/$name" ]; then echo "$build/fuzz/$name"; else echo "$build/$name"; fi
}
for target in "${targets[@]}"; do
    if [ ! -x "$(fuzzer_path "${target}_fuzzer")" ]; then
        echo "${target}_fuzzer not found in $build" >&2
        exit 2
    fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/fuzz-findings"

# A smaller quarantine keeps freed memory warm; each input lives well under it. The settings
# loader keeps Qt's parsed files between runs, which leak checking would take for leaks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
leaks_palette=1
leaks_settings=0
leaks_template=1
leaks_colour_text=1
leaks_cli_args=1
leaks_palette_exchange=1
max_len_palette=16384
max_len_settings=4096
max_len_template=4096
max_len_colour_text=4096
max_len_cli_args=4096
max_len_palette_exchange=16384
if [ "$long" = yes ]; then
    # Raw inputs four times longer; texts past the 1 MiB limits of palette and settings files
    # come from the compact form (fuzz/FuzzInput.h) that the seeds at those limits use.
    max_len_palette=65536
    max_len_settings=16384
    max_len_template=16384
    max_len_colour_text=16384
    max_len_cli_args=16384
    # The interchange readers read lines and tokens: longer raw inputs add no new structure,
    # only time (every byte is compared many times), and the texts at the 1 MiB file limit come
    # from the compact seeds.
    max_len_palette_exchange=4096
fi
# The share of a long run given to the compact seeds at the limits: one run in 200, and one in
# 1000 for the interchange readers, whose round trip of a 1 MiB text takes a second or two
# under the sanitizers.
limits_share_palette=200
limits_share_settings=200
limits_share_template=200
limits_share_colour_text=200
limits_share_cli_args=200
limits_share_palette_exchange=1000
# The bulk of a long run takes compact forms up to this many bytes of text (0: up to the
# limits), so that its mutations of them stay quick; the run at the limits takes them whole.
bulk_expansion_palette=0
bulk_expansion_settings=0
bulk_expansion_template=0
bulk_expansion_colour_text=0
bulk_expansion_cli_args=0
bulk_expansion_palette_exchange=4096

# Fills the corpus folder $2 of target $1 with its seeds.
seed() {
    local target=$1 corpus=$2
    mkdir -p "$corpus"
    cp "$root/fuzz/corpus/$target"/* "$corpus/"
    if [ "$target" = palette ]; then cp "$root"/tests/data/*.txt "$corpus/"; fi
}

# Runs one fuzzer; its log goes to $scratch/<target>.log.
run_one() {
    local target=$1 binary=$2 corpus=$3
    shift 3
    local leaks_var=leaks_$target max_len_var=max_len_$target
    "$binary" -max_len="${!max_len_var}" -timeout=20 -rss_limit_mb=2048 \
        -detect_leaks="${!leaks_var}" -dict="$root/fuzz/$target.dict" \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$target-" \
        "$@" "$corpus" >"$scratch/$target.log" 2>&1
}

report() {
    local target=$1 status=$2
    echo "== $target"
    grep -E '^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec' \
        "$scratch/$target.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$scratch/$target.log"
        echo "The $target fuzzer found a problem; the input is in $build/fuzz-findings/" >&2
    fi
}

failed=0
if [ "$long" = no ]; then
    for target in "${targets[@]}"; do
        seed "$target" "$scratch/corpus-$target"
        status=0
        run_one "$target" "$(fuzzer_path "${target}_fuzzer")" "$scratch/corpus-$target" \
            -max_total_time="$seconds" || status=$?
        report "$target" "$status"
        [ "$status" -eq 0 ] || failed=$status
    done
    [ "$failed" -eq 0 ] || exit "$failed"
    echo "No crash in $seconds seconds per target."
    exit 0
fi

# Each target runs twice: first a share of the runs (limits_share_<target>) on the compact seeds
# at the limits (texts past 1 MiB, chunk edges), whose runs take up to seconds each, with the
# binary $2, then the bulk of the runs on everything else with the binary $3.
long_target() {
    local target=$1 binary=$2 bulk_binary=$3 status=0
    local share_var=limits_share_$target expansion_var=bulk_expansion_$target
    mkdir -p "$build/fuzz-corpus/$target" "$build/fuzz-corpus/$target-limits"
    seed "$target" "$build/fuzz-corpus/$target"
    mv "$build/fuzz-corpus/$target"/*.compact "$build/fuzz-corpus/$target-limits/" 2>/dev/null || true
    if [ -n "$(ls "$build/fuzz-corpus/$target-limits")" ]; then
        run_one "$target" "$binary" "$build/fuzz-corpus/$target-limits" -runs=$((runs / ${!share_var})) ||
            return $?
        mv "$scratch/$target.log" "$scratch/$target-limits.log"
    fi
    if [ "${!expansion_var}" -gt 0 ]; then
        HUEVRA_FUZZ_EXPANSION_LIMIT=${!expansion_var} \
            run_one "$target" "$bulk_binary" "$build/fuzz-corpus/$target" -runs="$runs" || status=$?
    else
        run_one "$target" "$bulk_binary" "$build/fuzz-corpus/$target" -runs="$runs" || status=$?
    fi
    if [ -e "$scratch/$target-limits.log" ]; then
        mv "$scratch/$target.log" "$scratch/$target-bulk.log"
        cat "$scratch/$target-limits.log" "$scratch/$target-bulk.log" >"$scratch/$target.log"
    fi
    return $status
}

# The settings loader runs entirely, and the interchange readers' bulk, in the build without
# AddressSanitizer where it is there; what they kept is replayed under it afterwards.
declare -A pids
for target in "${targets[@]}"; do
    binary=$(fuzzer_path "${target}_fuzzer")
    bulk_binary=$binary
    fast=$(fuzzer_path "${target}_fuzzer_fast")
    if [ -x "$fast" ]; then
        bulk_binary=$fast
        if [ "$target" = settings ]; then binary=$fast; fi
    fi
    long_target "$target" "$binary" "$bulk_binary" &
    pids[$target]=$!
done
for target in "${targets[@]}"; do
    status=0
    wait "${pids[$target]}" || status=$?
    [ -e "$scratch/$target.log" ] || cat "$scratch/$target"-*.log >"$scratch/$target.log" 2>/dev/null || true
    report "$target" "$status"
    [ "$status" -eq 0 ] || failed=$status
done

# Everything a build without AddressSanitizer kept is run once more under it: the settings
# loader's two corpora, the interchange readers' bulk (with its expansion limit).
replay() {
    local target=$1 max_len_var=max_len_$1 expansion_var=bulk_expansion_$1 status=0
    shift
    HUEVRA_FUZZ_EXPANSION_LIMIT=${!expansion_var} "$(fuzzer_path "${target}_fuzzer")" -runs=0 \
        -max_len="${!max_len_var}" -detect_leaks=0 -rss_limit_mb=2048 \
        -artifact_prefix="$build/fuzz-findings/$target-asan-" "$@" \
        >"$scratch/$target-asan.log" 2>&1 || status=$?
    echo "== $target corpus under AddressSanitizer:" \
        "$(find "$@" -type f -exec cat {} + | wc -c) bytes in $(find "$@" -type f | wc -l) inputs"
    grep -E 'INITED|DONE' "$scratch/$target-asan.log" | tail -n 2 || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$scratch/$target-asan.log"
        failed=$status
    fi
}
if [ "$failed" -eq 0 ] && [[ " ${targets[*]} " == *" settings "* ]] &&
    [ -x "$(fuzzer_path settings_fuzzer_fast)" ]; then
    replay settings "$build/fuzz-corpus/settings" "$build/fuzz-corpus/settings-limits"
fi
if [ "$failed" -eq 0 ] && [[ " ${targets[*]} " == *" palette_exchange "* ]] &&
    [ -x "$(fuzzer_path palette_exchange_fuzzer_fast)" ]; then
    replay palette_exchange "$build/fuzz-corpus/palette_exchange"
fi
[ "$failed" -eq 0 ] || exit "$failed"
echo "No crash in $runs runs per target."
