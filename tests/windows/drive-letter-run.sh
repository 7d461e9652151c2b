#!/bin/sh
# Runs a command with a drive letter that stands for a fresh folder, as SUBST
# makes one; neither SUBST nor DefineDosDevice reaches files under Wine, so
# the letter is a link in the prefix's device folder. The command gets the
# letter in QYR_TEST_DRIVE, the folder's own path in QYR_TEST_DRIVE_FOLDER.
set -eu
folder=$(mktemp -d)
drive=$WINEPREFIX/dosdevices/q:
ln -s "$folder" "$drive" || { rmdir "$folder"; exit 1; }
trap 'rm -f "$drive"; rm -rf "$folder"' EXIT
QYR_TEST_DRIVE=q: QYR_TEST_DRIVE_FOLDER="Z:$(printf '%s' "$folder" | tr / '\\')" "$@"
