#!/bin/bash
# Builds the tool and opens it under Wine on the demo game folder. Installs
# what is missing first, so it works on a fresh Debian machine.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/install-deps.sh
scripts/build.sh windows

# A fresh copy of the demo each time, so its rotation files and the
# stand-in's log stay out of the repository.
rm -rf build/demo
cp -r demo build/demo
cp build/bin/QYRSAT.exe build/bin/QYR.exe build/demo/Bin/

source scripts/wine-session.sh
if [ -z "${DISPLAY:-}" ]; then
    wine_session_start_display
    echo "No DISPLAY: the tool runs on the virtual display $DISPLAY."
fi
wine_session_start_wine

echo "QYR SAT is running in build/demo/Bin; close its window to end."
echo "The stand-in servers log to build/demo/Bin/qyr_standin.log; ending this script ends them too."
cd build/demo/Bin
# Bounded like every Wine run, generously: this one is an operator's session.
timeout "${QYRSAT_RUN_TIMEOUT:-12h}" /usr/lib/wine/wine64 QYRSAT.exe </dev/null >/dev/null 2>&1 || true
