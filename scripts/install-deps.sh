#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Huevra need.
# Safe to run again: only packages that are missing are installed.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6test6 qt6-qpa-plugins
    qt6-svg-dev libqt6svg6
    qt6-tools-dev qt6-tools-dev-tools libqt6help6 libqt6sql6-sqlite
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xclip xdotool x11-utils fonts-dejavu-core
    dbus at-spi2-core python3-pyatspi parcellite
    dpkg-dev fakeroot file desktop-file-utils appstream lintian devscripts
    x11-xserver-utils dbus-daemon dbus-bin libxcb1-dev libxcb-xtest0-dev
    imagemagick xdg-desktop-portal
    qt6-wayland sway xwayland pipewire xdg-desktop-portal-wlr xdg-desktop-portal-gtk
    grim wl-clipboard wtype libwayland-dev procps
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo_cmd=()
else
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
