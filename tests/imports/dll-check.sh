#!/bin/sh
# dll-check.sh OBJDUMP FILE...: fails unless every FILE is a Windows program
# that needs no DLL beyond Windows' own, as the import table that objdump
# lists shows. Prints each file's DLLs either way, so that a failure shows
# what crept in. Exit status: 0 all own, 1 a DLL that is not, 2 the check
# could not look.
set -u
if [ $# -lt 2 ]; then
    echo "usage: dll-check.sh OBJDUMP FILE..."
    exit 2
fi
objdump=$1
shift
if ! command -v "$objdump" >/dev/null 2>&1; then
    printf '%s\n' "objdump not found: $objdump"
    exit 2
fi

# The DLLs every Windows the tool runs on (7 and later) brings with it.
# msvcrt.dll is the C runtime Windows itself is built on; the universal C
# runtime (ucrtbase.dll, api-ms-win-crt-*) is not listed: a plain Windows 7
# lacks it.
own_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ntdll.dll ole32.dll
 oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winhttp.dll winmm.dll ws2_32.dll "

status=0
for file in "$@"; do
    if ! listing=$("$objdump" -p "$file" 2>&1); then
        printf '%s\n' "$file: objdump cannot read it"
        printf '%s\n' "$listing"
        status=2
        continue
    fi
    if ! printf '%s\n' "$listing" | grep -q '^The Import Tables'; then
        printf '%s\n' "$file: objdump shows no import table"
        status=2
        continue
    fi
    needed=$(printf '%s\n' "$listing" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r' | tr '\n' ' ' | sed 's/ $//')
    printf '%s\n' "$file needs: $needed"
    foreign=
    for dll in $needed; do
        lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
        case "$own_dlls" in
            *[[:space:]]"$lower"[[:space:]]*) ;;
            *) foreign="$foreign $dll" ;;
        esac
    done
    if [ -n "$foreign" ]; then
        printf '%s\n' "$file needs DLLs that are not Windows' own:$foreign"
        [ $status -eq 0 ] && status=1
    fi
done
exit $status
