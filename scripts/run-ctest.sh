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
ctest --output-on-failure -j "$(nproc)" "$@"
