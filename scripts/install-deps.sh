#!/bin/bash
# Installs the Debian packages the build, the tests and the demo need, and
# the pinned browser driver of the browser test from npm. Installs nothing
# when everything is there already. With "run", only what ./run.sh needs
# (the build configures the tests too, hence GoogleTest and Python): an
# operator's host gets no browser.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
    cmake make g++
    g++-mingw-w64-x86-64-posix
    googletest python3
    wine64
    fonts-wine
    xvfb
    x11vnc
    novnc
    websockify
)
for_tests=
if [ "${1:-}" != run ]; then
    for_tests=1
    packages+=(iproute2 chromium imagemagick zip clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
# Node.js may come from elsewhere than Debian; any npm will do.
[ -z "$for_tests" ] || command -v npm >/dev/null || missing+=(nodejs npm)

if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The driver exactly as locked; it drives Debian's Chromium and never
# downloads a browser of its own.
[ -n "$for_tests" ] || exit 0
web_test=$root/tests/web
if ! cmp -s "$web_test/package-lock.json" "$web_test/node_modules/.installed-lock.json"; then
    echo "Installing the browser test's driver from npm"
    (cd "$web_test" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$web_test/package-lock.json" "$web_test/node_modules/.installed-lock.json"
fi
