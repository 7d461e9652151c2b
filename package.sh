#!/bin/bash
# Builds the Windows program and packs the release: build/QYRSAT-<version>.zip
# with QYRSAT.exe, README.md, LICENSE and the README's pictures in docs/,
# ready to be unpacked into the game folder that holds QYR.exe. Installs what
# is missing first, so it works on a fresh Debian machine.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/install-deps.sh
scripts/build.sh release
release=build/release

# Written by CMake from project(): the version is set in one place only.
version=$(cat "$release/version.txt")
package="build/QYRSAT-$version.zip"

# The same sources pack into the same archive: the program carries no build
# time, and the archive has a fixed entry order, no extra file attributes,
# fixed modes, and every file dated to the last commit (or to
# SOURCE_DATE_EPOCH when set, or to a fixed day outside a git checkout).
stamp=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
export TZ=UTC
if [ -n "$stamp" ]; then date_text="@$stamp"; else date_text="2026-01-01 00:00:00"; fi

staging=build/package
rm -rf "$staging" "$package"
mkdir -p "$staging/docs"
cp "$release/bin/QYRSAT.exe" README.md LICENSE "$staging/"
cp docs/*.png "$staging/docs/"
(
    cd "$staging"
    chmod 0755 QYRSAT.exe
    find . -type f ! -name QYRSAT.exe -exec chmod 0644 {} +
    find . -type f -exec touch -d "$date_text" {} +
    find . -type f | sed 's|^\./||' | LC_ALL=C sort | zip -X -D -q "$root/$package" -@
)
rm -rf "$staging"

echo "$package:"
zip -sf "$package"
