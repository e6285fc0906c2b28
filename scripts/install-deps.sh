#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those missing. As
# root directly, otherwise through sudo.
#   install-deps.sh run   building and running the program (make run)
#   install-deps.sh       that and everything the tests need (make check)
set -euo pipefail

# Building and running the program.
run_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-translations-l10n qt6-wayland libgl-dev libcups2-dev
    fonts-liberation fonts-dejavu-core
)

# Testing: the test and benchmark libraries, the formatter and the fuzzers'
# compiler, the private CUPS server and the PDF reader, the desktop and
# AppStream validators and the package tools, Inkscape (the copied picture's
# consumer), the X display with its window manager and input, the
# accessibility bus.
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev qt6-svg-dev
    clang clang-format libclang-rt-14-dev
    cups cups-filters cups-client poppler-utils
    desktop-file-utils appstream man-db debhelper lintian
    inkscape
    xvfb xauth openbox xdotool
    at-spi2-core python3-pyatspi dbus
    # The Wayland end-to-end tests: a headless compositor, keys, screenshots
    # and the clipboard.
    sway wtype grim wl-clipboard
)

packages=("${run_packages[@]}")
if [ "${1:-}" != run ]; then
    packages+=("${test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installation des paquets manquants : ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
