#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need,
# only those missing. As root directly, otherwise through sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang clang-format libclang-rt-14-dev
    fonts-liberation fonts-dejavu-core
    cups cups-filters cups-client libcups2-dev poppler-utils
    desktop-file-utils inkscape
    xvfb xauth openbox xdotool
    # Running natively on Wayland: the toolkit's Wayland platform (run
    # dependency of the program).
    qt6-wayland
    # The Wayland end-to-end tests (tests only): a headless compositor, keys,
    # screenshots and the clipboard.
    sway wtype grim wl-clipboard
)

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
