#!/bin/sh
# Runs a command with a drive letter that stands for a fresh folder, as
# SUBST makes one on Windows. Under Wine neither SUBST nor DefineDosDevice
# reaches files, so the letter is made where Wine looks its drives up: a
# link in the environment's device folder. The command finds the letter in
# QYR_TEST_DRIVE and the folder's ordinary path in QYR_TEST_DRIVE_FOLDER.
set -eu
folder=$(mktemp -d)
drive=
for letter in m n o p q r s t u v w x y; do
    if [ ! -e "$WINEPREFIX/dosdevices/$letter:" ]; then
        drive=$letter:
        break
    fi
done
[ -n "$drive" ] || { echo "no free drive letter in $WINEPREFIX/dosdevices" >&2; exit 1; }
trap 'rm -f "$WINEPREFIX/dosdevices/$drive"; rm -rf "$folder"' EXIT
ln -s "$folder" "$WINEPREFIX/dosdevices/$drive"
status=0
QYR_TEST_DRIVE=$drive QYR_TEST_DRIVE_FOLDER="Z:$(printf '%s' "$folder" | tr / '\\')" "$@" || status=$?
exit $status
