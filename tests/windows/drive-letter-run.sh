#!/bin/sh
# Runs a command with a drive letter that stands for a fresh folder, as
# SUBST makes one on Windows. Under Wine neither SUBST nor DefineDosDevice
# reaches files, so the letter is made where Wine looks drives up: a link
# in the environment's device folder. The command gets the letter in
# QYR_TEST_DRIVE and the folder's ordinary path in QYR_TEST_DRIVE_FOLDER.
set -eu
folder=$(mktemp -d)
drive=$WINEPREFIX/dosdevices/q:
ln -s "$folder" "$drive" || { rmdir "$folder"; exit 1; }
trap 'rm -f "$drive"; rm -rf "$folder"' EXIT
QYR_TEST_DRIVE=q: QYR_TEST_DRIVE_FOLDER="Z:$(printf '%s' "$folder" | tr / '\\')" "$@"
