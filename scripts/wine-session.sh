# Sourced by the scripts that run Windows programs: starts a private Xvfb
# display and a pre-started, private Wine environment, and stops both (by
# pid, never by name) when the sourcing script exits.

wine_session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# One run at a time owns the checkout's prefix, which then stays booted for
# the next run; a run that finds it taken gets a throw-away prefix of its
# own, since two runs sharing one wineserver would see each other's windows
# and processes.
mkdir -p "$wine_session_root/build"
exec {wine_session_lock_fd}>"$wine_session_root/build/wineprefix.lock"
wine_session_own_prefix=
if flock -n "$wine_session_lock_fd"; then
    export WINEPREFIX="$wine_session_root/build/wineprefix"
else
    wine_session_own_prefix=$(mktemp -d "$wine_session_root/build/wineprefix.XXXXXX")
    export WINEPREFIX="$wine_session_own_prefix"
fi

wine_session_xvfb_pid=
wine_session_auth_folder=
wine_session_stop() {
    timeout 20 /usr/lib/wine/wineserver64 -k </dev/null >/dev/null 2>&1 || true
    timeout 20 /usr/lib/wine/wineserver64 -w </dev/null >/dev/null 2>&1 || true
    if [ -n "$wine_session_xvfb_pid" ]; then
        kill "$wine_session_xvfb_pid" 2>/dev/null || true
        wait "$wine_session_xvfb_pid" 2>/dev/null || true
    fi
    [ -z "$wine_session_auth_folder" ] || rm -rf "$wine_session_auth_folder"
    [ -z "$wine_session_own_prefix" ] || rm -rf "$wine_session_own_prefix"
}
trap wine_session_stop EXIT

# Starts a private Xvfb display for the Wine programs, of the screen size
# given (WIDTHxHEIGHTxDEPTH) or 1280x1024x24. Xvfb picks a free display
# itself and writes its number once it listens there, so two runs can never
# end up on one display. Only holders of a fresh cookie may open it: the
# cookie file, in a folder only this user can open, is XAUTHORITY for
# everything the sourcing script starts.
wine_session_start_display() {
    local screen=${1:-1280x1024x24} fifo cookie display=
    wine_session_auth_folder=$(mktemp -d)
    fifo=$wine_session_auth_folder/display
    mkfifo "$fifo"
    export XAUTHORITY=$wine_session_auth_folder/cookie
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    # Family "any" with no address and no display number: it matches the
    # display whose number Xvfb has yet to choose.
    if ! echo "ffff 0000 0000 0012 $(printf MIT-MAGIC-COOKIE-1 | od -An -tx1 | tr -d ' \n') 0010 $cookie" |
        (umask 077 && : >"$XAUTHORITY" && xauth -q -f "$XAUTHORITY" nmerge -); then
        echo "xauth could not write the display's cookie" >&2
        return 1
    fi
    # A session of its own: a Ctrl-C at the terminal must not take the
    # display away before the sourcing script has closed what runs on it.
    setsid Xvfb -displayfd 3 -screen 0 "$screen" -auth "$XAUTHORITY" -nolisten tcp 3>"$fifo" \
        {wine_session_lock_fd}>&- </dev/null >/dev/null 2>&1 &
    wine_session_xvfb_pid=$!
    read -r -t 10 display <"$fifo" || true
    if [ -z "$display" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$display"
}

# Starts the private Wine environment on $DISPLAY.
wine_session_start_wine() {
    mkdir -p "$WINEPREFIX"
    # Detached, every stream on /dev/null: Wine's background services would
    # otherwise keep the caller's pipes open and hang whatever reads them.
    /usr/lib/wine/wineserver64 -p {wine_session_lock_fd}>&- </dev/null >/dev/null 2>&1 &
    if ! timeout 180 /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1; then
        echo "wineboot failed or timed out" >&2
        return 1
    fi
    # Wine does not look for its own fonts where Debian puts them; without
    # them "MS Sans Serif" falls back to a wider font and labels get cut.
    cp -u /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

wine_session_start() {
    wine_session_start_display
    wine_session_start_wine
}
