#!/bin/sh
# expect-failure.sh STATUS LINE COMMAND...: passes only when COMMAND exits
# with STATUS and prints LINE as one whole line of its output. Any other
# failure (a crash, a missing file or tool) is a failure of the test.
set -u
expected_status=$1
expected_line=$2
shift 2
output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"
if [ "$status" -ne "$expected_status" ]; then
    printf '%s\n' "expected exit status $expected_status, got $status"
    exit 1
fi
if ! printf '%s\n' "$output" | grep -qxF -- "$expected_line"; then
    printf '%s\n' "expected the line: $expected_line"
    exit 1
fi
