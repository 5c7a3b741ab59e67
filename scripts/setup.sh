#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the programs need. Safe to run again:
# it installs only what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-svg-dev qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    libzip-dev libpugixml-dev liblemon-dev coinor-libclp-dev libglpk-dev
    fonts-noto-cjk fonts-wqy-microhei
    xvfb xauth x11-apps imagemagick
    python3 python3-openpyxl sqlite3 libsqlite3-dev
    clang-format-14 clang-14 libclang-rt-14-dev
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
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
