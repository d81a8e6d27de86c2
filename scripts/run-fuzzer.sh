#!/usr/bin/env bash
# Runs the palette file fuzzer for a while, seeded with the palette files under tests/data.
#   scripts/run-fuzzer.sh <build dir> <seconds>
# Exits non-zero when the fuzzer finds a crash; the crashing input is kept in <build dir>.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-fuzz}
seconds=${2:-60}
case $build in /*) ;; *) build=$PWD/$build ;; esac

fuzzer=$build/palette_fuzzer
[ -x "$fuzzer" ] || fuzzer=$build/fuzz/palette_fuzzer
if [ ! -x "$fuzzer" ]; then
    echo "palette_fuzzer not found in $build" >&2
    exit 2
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/corpus" "$build/fuzz-findings"
cp "$root"/tests/data/*.txt "$scratch/corpus/"

# A smaller quarantine keeps freed memory warm; each input lives well under it.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}

status=0
"$fuzzer" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/" \
    "$scratch/corpus" >"$scratch/log" 2>&1 || status=$?

grep -E '^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec' \
    "$scratch/log" || true
if [ "$status" -ne 0 ]; then
    tail -n 60 "$scratch/log"
    echo "The fuzzer found a problem; the input is in $build/fuzz-findings/" >&2
    exit "$status"
fi
echo "No crash in $seconds seconds."
