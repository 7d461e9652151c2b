# Sourced by run.sh: runs the tool on a Wine virtual desktop, so that its
# window and those of the game servers it starts have title bars and can be
# moved without a window manager. The desktop lasts while any window is on
# it: the tool's, or a game server's after the tool has closed.

game_desktop_tool=QYRSAT.exe
game_desktop_server=QYR.exe
game_desktop_size=1024x768
game_desktop_spec=QYRSAT,$game_desktop_size
# How long the game servers have to close when the run ends.
game_desktop_grace_seconds=10
game_desktop_pid=
game_desktop_sleeper=

# Runs a Windows program on the desktop and waits for it.
game_desktop_run() {
    timeout 60 /usr/lib/wine/wine64 explorer /desktop=$game_desktop_spec "$@" </dev/null >/dev/null 2>&1
}

# game_desktop_start FOLDER BIN [ARGUMENT...]: runs the tool from the folder
# BIN with FOLDER as its working directory, and the arguments given. An
# operator's servers run as long as the operator wants, so there is no time
# limit unless QYRSAT_RUN_TIMEOUT sets one.
game_desktop_start() {
    (cd "$1" && exec timeout "${QYRSAT_RUN_TIMEOUT:-0}" /usr/lib/wine/wine64 explorer \
        /desktop=$game_desktop_spec "$2/$game_desktop_tool" "${@:3}") </dev/null >/dev/null 2>&1 &
    game_desktop_pid=$!
}

# Whether a program of this image name runs in this Wine session.
game_desktop_runs() {
    local comm
    for comm in $(grep -lx "$1" /proc/[0-9]*/comm 2>/dev/null); do
        grep -qzx "WINEPREFIX=$WINEPREFIX" "${comm%/comm}/environ" 2>/dev/null && return 0
    done
    return 1
}

# Waits until the desktop has ended: when the tool has closed and no game
# server is left, or was left running. Says so when servers outlive the tool.
game_desktop_wait() {
    local seen= gone=0
    while kill -0 "$game_desktop_pid" 2>/dev/null; do
        if game_desktop_runs "$game_desktop_tool"; then
            seen=1
        elif [ -n "$seen" ]; then
            # The desktop takes a moment to end after its last window.
            gone=$((gone + 1))
            [ $gone -ne 3 ] || echo "The tool has closed, but game servers it started still run; they keep" \
                "running until their windows close. Ctrl-C stops them."
        fi
        sleep 1 &
        game_desktop_sleeper=$!
        wait "$game_desktop_sleeper" || true
    done
}

# Ends the tool at once (it keeps nothing between runs), asks each game
# server on the desktop to close, as the tool's "Stop" does with its close
# message, and gives them their grace time; the caller then ends what is left.
game_desktop_stop() {
    local attempt
    [ -z "$game_desktop_sleeper" ] || kill "$game_desktop_sleeper" 2>/dev/null || true
    [ -n "$game_desktop_pid" ] && kill -0 "$game_desktop_pid" 2>/dev/null || return 0
    game_desktop_run taskkill /f /im "$game_desktop_tool" || true
    game_desktop_run taskkill /im "$game_desktop_server" || true
    for attempt in $(seq $((game_desktop_grace_seconds * 10))); do
        kill -0 "$game_desktop_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$game_desktop_pid" 2>/dev/null || true
    wait "$game_desktop_pid" 2>/dev/null || true
}
