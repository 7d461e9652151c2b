#!/bin/sh
# Runs a command as on a machine with a single processor, for the Windows
# programs it starts under Wine. Wine takes the processor count from
# /sys/devices/system/cpu/online (taskset narrows only the process's own
# mask, never the system mask Wine reports), so the command runs in a private
# mount namespace in which that file reads "0". Needs the right to create a
# mount namespace (root); fails, and so does the test, without it.
set -eu
online=$(mktemp)
trap 'rm -f "$online"' EXIT
echo 0 >"$online"
status=0
unshare --mount --propagation private sh -c 'mount --bind "$0" /sys/devices/system/cpu/online && exec "$@"' \
    "$online" "$@" || status=$?
exit $status
