#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# is not there yet. Run as root (or with sudo at hand).
set -euo pipefail

packages=(cmake ninja-build g++ googletest mingw-w64 wine wine64 fonts-wine xvfb x11-utils imagemagick ffmpeg desktop-file-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
