#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Kavrell need,
# skipping the ones already present. Run as root.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-qpa-plugins fonts-dejavu-core libgif-dev libwebp-dev nlohmann-json3-dev
    qt6-image-formats-plugins libx11-dev
    xvfb xauth xdotool x11-utils
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
