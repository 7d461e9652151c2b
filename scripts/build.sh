#!/bin/bash
# Configures and builds: the Windows programs in build/ and, unless
# "windows" is given, the portable logic for the host, under the sanitizers,
# in build/native/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"

[ "${1:-}" = windows ] && exit 0
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$(nproc)"
