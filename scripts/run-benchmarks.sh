#!/usr/bin/env bash
# Runs every benchmark of a build folder and prints medians over repetitions.
set -euo pipefail
build=${1:-build}
shift || true
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config"
for b in "$build"/bench/*_bench; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_display_aggregates_only=true "$@" 2>&1 | grep -E 'median|^Benchmark|^-'
done
