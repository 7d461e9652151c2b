#!/bin/bash
# Installs the Debian packages the build, the tests and the demo need.
# Installs nothing when everything is there already.
set -euo pipefail

packages=(
    cmake make g++
    g++-mingw-w64-x86-64-posix
    googletest
    wine64
    fonts-wine
    xvfb
    imagemagick
    zip
    python3
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
