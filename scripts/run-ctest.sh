#!/usr/bin/env bash
# Runs every test of the build folder it is started in. Tests never see the
# user's own settings: HOME and XDG_CONFIG_HOME point at a fresh folder.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config"
export HOME="$scratch/home"
export XDG_CONFIG_HOME="$scratch/config"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# In the sanitizer build, leaks that system libraries keep on purpose are not reported.
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="suppressions=$here/lsan-suppressions.txt:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
ctest --output-on-failure -j "$(nproc)" "$@"
