#!/usr/bin/env bash
# Installs what building, running and testing Tallymax needs on Debian 12, if missing.
set -euo pipefail
packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xdotool x11-utils imagemagick xclip
          cups printer-driver-cups-pdf poppler-utils ghostscript fonts-wine fonts-liberation
          clang libclang-rt-14-dev python3 libgmp-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
