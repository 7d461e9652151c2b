#!/bin/bash
# Builds everything and runs every test of both builds. Installs what is
# missing first, so it works on a fresh Debian machine.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/install-deps.sh
scripts/build.sh

echo "== Portable logic, native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
native_status=0
(cd build/native && ctest --output-on-failure --timeout 300) || native_status=$?
echo "== The file readers, fuzzed (libFuzzer)"
(cd build/fuzz && ctest --output-on-failure --timeout 120) || native_status=$?

# Before the Windows tests' Wine session: ./run.sh starts its own, which
# then finds the checkout's prefix free.
echo "== ./run.sh served to a web browser"
browser_status=0
(cd build && ctest -L browser --output-on-failure) </dev/null || browser_status=$?

echo "== Windows build, under Wine"
source scripts/wine-session.sh
wine_session_start
windows_status=0
(cd build && ctest -LE browser --output-on-failure --timeout 600) </dev/null || windows_status=$?

[ $native_status -eq 0 ] && [ $browser_status -eq 0 ] && [ $windows_status -eq 0 ]
