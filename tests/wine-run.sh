#!/bin/sh
# Runs one Windows program under the already started, private Wine environment.
# The bound keeps a hung test from hanging the whole run.
: "${WINE_TEST_TIMEOUT:=300}"
exec timeout -k 5 "$WINE_TEST_TIMEOUT" /usr/lib/wine/wine64 "$@"
