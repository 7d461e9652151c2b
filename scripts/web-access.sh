# Sourced by run.sh: makes the display $DISPLAY reachable from a web
# browser. x11vnc serves the display on a Unix socket in a private folder,
# so no VNC port is open at all; websockify serves noVNC's page on one TCP
# port and passes the page's connection on to that socket.

web_access_folder=
web_access_vnc_pid=
web_access_web_pid=

# Whether a program already accepts connections on this address and port.
web_access_port_in_use() {
    (exec 3<>"/dev/tcp/$1/$2") 2>/dev/null
}

# web_access_start ADDRESS PORT [PASSWORD_FILE]
web_access_start() {
    local address=$1 port=$2 password_file=${3:-} attempt
    web_access_folder=$(mktemp -d)
    local socket=$web_access_folder/vnc
    local password=(-nopw)
    [ -z "$password_file" ] || password=(-passwdfile "$password_file")

    # -rfbport 0 and -rfbportv6 -1: no TCP listener, IPv4 or IPv6, besides
    # the Unix socket.
    x11vnc -display "$DISPLAY" -unixsock "$socket" -rfbport 0 -rfbportv6 -1 \
           -forever -shared "${password[@]}" \
           </dev/null >"$web_access_folder/x11vnc.log" 2>&1 &
    web_access_vnc_pid=$!
    for attempt in $(seq 100); do
        [ -S "$socket" ] && break
        sleep 0.1
    done
    if [ ! -S "$socket" ]; then
        echo "x11vnc did not start:" >&2
        tail -5 "$web_access_folder/x11vnc.log" >&2
        return 1
    fi

    websockify --web /usr/share/novnc "$address:$port" --unix-target="$socket" \
               </dev/null >"$web_access_folder/websockify.log" 2>&1 &
    web_access_web_pid=$!
    for attempt in $(seq 100); do
        web_access_port_in_use "$address" "$port" && return 0
        kill -0 "$web_access_web_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "The web server could not listen on $address:$port:" >&2
    tail -5 "$web_access_folder/websockify.log" >&2
    return 1
}

web_access_stop() {
    local pid
    for pid in $web_access_web_pid $web_access_vnc_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -z "$web_access_folder" ] || rm -rf "$web_access_folder"
}
