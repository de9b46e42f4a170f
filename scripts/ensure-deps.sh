#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when some are missing.
# With the argument "package", also what building and checking the .deb needs; with
# "screenshots", what scripts/screenshots.sh needs.
set -euo pipefail

packages=(cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools libgl-dev
          clang libclang-rt-dev xvfb xauth fonts-dejavu-core fonts-liberation)
if [ "${1:-}" = package ]; then
    packages+=(dpkg-dev file desktop-file-utils appstream shared-mime-info lintian man-db)
fi
if [ "${1:-}" = screenshots ]; then
    packages+=(xdotool imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
