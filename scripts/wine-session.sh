# Sourced by the scripts that run Windows programs: starts a private Xvfb
# display and a pre-started, private Wine environment, and stops both (by
# pid, never by name) when the sourcing script exits.

wine_session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$wine_session_root/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

wine_session_xvfb_pid=
wine_session_stop() {
    timeout 20 /usr/lib/wine/wineserver64 -k </dev/null >/dev/null 2>&1 || true
    timeout 20 /usr/lib/wine/wineserver64 -w </dev/null >/dev/null 2>&1 || true
    if [ -n "$wine_session_xvfb_pid" ]; then
        kill "$wine_session_xvfb_pid" 2>/dev/null || true
        wait "$wine_session_xvfb_pid" 2>/dev/null || true
    fi
}
trap wine_session_stop EXIT

# Starts a private Xvfb display for the Wine programs.
wine_session_start_display() {
    local display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    wine_session_xvfb_pid=$!
    export DISPLAY=":$display"
    local waited=0
    until [ -e "/tmp/.X11-unix/X$display" ]; do
        sleep 0.1
        waited=$((waited + 1))
        if [ $waited -gt 100 ]; then
            echo "Xvfb did not start on :$display" >&2
            return 1
        fi
    done
}

# Starts the private Wine environment on $DISPLAY.
wine_session_start_wine() {
    mkdir -p "$WINEPREFIX"
    # Detached, every stream on /dev/null: Wine's background services would
    # otherwise keep the caller's pipes open and hang whatever reads them.
    /usr/lib/wine/wineserver64 -p </dev/null >/dev/null 2>&1 &
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
