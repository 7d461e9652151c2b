#!/bin/sh
# Runs a Windows test program once at each display scale: 96, 144 and 192
# DPI (100%, 150%, 200%). Wine takes the scale from the registry when a
# program starts, so each run sets it first, and the prefix gets 96 back at
# the end, whatever happens. The program learns the scale it should have
# from QYRSAT_TEST_DPI. Usage: dpi-run.sh EMULATOR PROGRAM
set -eu
emulator=$1
program=$2
set_dpi() {
    "$emulator" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT
status=0
for dpi in 96 144 192; do
    echo "== at $dpi DPI"
    set_dpi "$dpi"
    QYRSAT_TEST_DPI=$dpi "$emulator" "$program" || status=1
done
exit $status
