#!/usr/bin/env bash
# Installs the Debian packages Drelmont needs to build, run and test, when missing.
set -euo pipefail
packages=(cmake g++ ninja-build qt6-base-dev qt6-multimedia-dev libgtest-dev libgmock-dev
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good espeak-ng fonts-dejavu-core
          xvfb xauth clang-14 libclang-rt-14-dev libxdo-dev
          pulseaudio fonts-liberation xdotool dosbox nasm libxtst-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
