#!/bin/bash
# Configures and builds: the Windows programs in build/ and, unless
# "windows" is given, the portable logic for the host, under the sanitizers,
# in build/native/, and the fuzz targets of the file readers, with Clang, in
# build/fuzz/. "release" builds only QYRSAT.exe, without the tests, in
# build/release/. "run FOLDER" builds only QYRSAT.exe and the stand-in
# QYR.exe, without the tests, in FOLDER, as quickly as it can.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

configure_windows() {
    cmake -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release "${@:2}" >/dev/null
}

if [ "${1:-}" = release ]; then
    configure_windows build/release -DQYRSAT_TESTS=OFF
    cmake --build build/release -j"$(nproc)" --target QYRSAT
    exit 0
fi

if [ "${1:-}" = run ]; then
    # A unity build, one compiler run per library, where no library waits
    # for another to compile: the first build is several times quicker.
    # Once configured, the build configures itself again when a
    # CMakeLists.txt changes.
    [ -f "$2/CMakeCache.txt" ] ||
        configure_windows "$2" -DQYRSAT_TESTS=OFF -DCMAKE_UNITY_BUILD=ON -DCMAKE_OPTIMIZE_DEPENDENCIES=ON
    cmake --build "$2" -j"$(nproc)" --target run_programs
    exit 0
fi

configure_windows build
cmake --build build -j"$(nproc)"

[ "${1:-}" = windows ] && exit 0
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$(nproc)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DQYRSAT_TESTS=OFF -DQYRSAT_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target server_set_fuzz rotation_line_fuzz history_line_fuzz json_string_fuzz
