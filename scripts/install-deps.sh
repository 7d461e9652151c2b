#!/bin/bash
# Installs the Debian packages the build, the tests and the demo need, and
# the pinned browser driver of the browser test from npm. Installs nothing
# when everything is there already, and needs root (or sudo) only when it
# installs. With "run", only what ./run.sh needs to build the tool for
# Windows and serve it: an operator's host gets no test framework and no
# browser.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
    cmake make
    g++-mingw-w64-x86-64-posix
    wine64
    fonts-wine
    xvfb xauth
    x11vnc
    novnc
    websockify
)
for_tests=
if [ "${1:-}" != run ]; then
    for_tests=1
    # The host build, the tests, the fuzz targets (Clang and its libFuzzer),
    # the browser test (ss, xdpyinfo, a test certificate), the pictures and
    # the package.
    packages+=(g++ googletest nlohmann-json3-dev python3 clang libclang-rt-14-dev iproute2 chromium x11-utils openssl imagemagick zip)
fi

# One look at dpkg's database for all of them.
installed=$'\n'$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
    sed -n 's/ install ok installed$//p' || true)$'\n'
missing=()
for package in "${packages[@]}"; do
    [[ $installed == *$'\n'$package$'\n'* ]] || missing+=("$package")
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
