#!/bin/sh
# Runs a Windows test program at 96, 144 and 192 DPI (100%, 150%, 200%),
# telling it which in QYRSAT_TEST_DPI. Wine reads the scale from the registry
# as a program starts, so each run sets it first; the prefix gets 96 back at
# the end, whatever happens. Usage: dpi-run.sh EMULATOR PROGRAM
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
