#!/bin/bash
# Builds the Windows program and packs the release: build/QYRSAT-<version>.zip
# with QYRSAT.exe, README.md and LICENSE at its top level, ready to be
# unpacked into the game folder that holds QYR.exe. Installs what is missing
# first, so it works on a fresh Debian machine.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/install-deps.sh
scripts/build.sh windows

# Written by CMake from project(): the version is set in one place only.
version=$(cat build/version.txt)
package="build/QYRSAT-$version.zip"
files=(LICENSE QYRSAT.exe README.md)  # in the byte order of their names

# The same sources pack into the same archive: fixed entry order, no extra
# file attributes, fixed modes, and every file dated to the last commit (or
# to SOURCE_DATE_EPOCH when set, or to a fixed day outside a git checkout).
stamp=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
export TZ=UTC
if [ -n "$stamp" ]; then date_text="@$stamp"; else date_text="2026-01-01 00:00:00"; fi

staging=build/package
rm -rf "$staging" "$package"
mkdir -p "$staging"
cp build/bin/QYRSAT.exe README.md LICENSE "$staging/"
chmod 0755 "$staging/QYRSAT.exe"
chmod 0644 "$staging/README.md" "$staging/LICENSE"
touch -d "$date_text" "${files[@]/#/$staging/}"
(cd "$staging" && zip -X -D -q "$root/$package" "${files[@]}")
rm -rf "$staging"

echo "$package:"
zip -sf "$package"
