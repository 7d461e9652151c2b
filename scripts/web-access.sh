# Sourced by run.sh: makes the display $DISPLAY reachable from a web
# browser. x11vnc serves the display on a Unix socket in a private folder,
# so no VNC port is open at all, and lets in only who gives the password;
# websockify serves noVNC's page on one TCP port, over TLS when given a
# certificate, and passes the page's connection on to that socket.

web_access_folder=
web_access_vnc_pid=
web_access_web_pid=
web_access_scheme=http
web_access_port=
# The password made for this run when the operator gave none: the address
# carries it.
web_access_secret=

# Whether a program already accepts connections on this address and port.
web_access_port_in_use() {
    (exec 3<>"/dev/tcp/$1/$2") 2>/dev/null
}

# Prints the VNC password of a password file: the first 8 characters of its
# first line, all that VNC uses. Fails when there is none, or when x11vnc
# would read it as one of its comments or keywords ("#...", "__...__").
web_access_password_from() {
    local line
    IFS= read -r line <"$1" || true
    line=${line%$'\r'}
    line=${line:0:8}
    [ -n "$line" ] && [[ $line != '#'* && $line != *__* ]] || return 1
    printf '%s\n' "$line"
}

# Whether Python's TLS, which websockify serves with, takes this
# certificate and key (KEY empty: the key is in the certificate's file).
web_access_tls_usable() {
    python3 -c 'import ssl, sys
ssl.create_default_context(ssl.Purpose.CLIENT_AUTH).load_cert_chain(sys.argv[1], sys.argv[2] or None)' \
        "$1" "$2" 2>/dev/null
}

# web_access_start ADDRESS PORT PASSWORD CERT KEY: PASSWORD empty makes
# one; CERT empty serves without TLS; KEY empty takes the key from CERT.
web_access_start() {
    local address=$1 port=$2 password=$3 cert=$4 key=$5 attempt
    web_access_folder=$(mktemp -d)
    web_access_port=$port
    local socket=$web_access_folder/vnc
    if [ -z "$password" ]; then
        # 6 bytes of the system's random source are 8 characters of a
        # 64-symbol alphabet that needs no escaping in an address.
        web_access_secret=$(head -c 6 /dev/urandom | base64 | tr '+/' '-_')
        password=$web_access_secret
    fi
    # x11vnc removes the file once read; the folder is this user's alone.
    (umask 077 && printf '%s\n' "$password" >"$web_access_folder/password")

    # -rfbport 0 and -rfbportv6 -1: no TCP listener, IPv4 or IPv6, besides
    # the Unix socket.
    x11vnc -display "$DISPLAY" -unixsock "$socket" -rfbport 0 -rfbportv6 -1 \
           -forever -shared -passwdfile "rm:$web_access_folder/password" \
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

    local tls=()
    if [ -n "$cert" ]; then
        web_access_scheme=https
        tls=(--ssl-only --cert "$cert" ${key:+--key "$key"})
    fi
    websockify "${tls[@]}" --web /usr/share/novnc "$address:$port" --unix-target="$socket" \
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

# The address that opens the page on HOST, scaled to the browser's window,
# and with the password if this run made it.
web_access_address() {
    echo "$web_access_scheme://$1:$web_access_port/vnc.html?autoconnect=true&resize=scale${web_access_secret:+&password=$web_access_secret}"
}

web_access_stop() {
    local pid
    for pid in $web_access_web_pid $web_access_vnc_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [ -z "$web_access_folder" ] || rm -rf "$web_access_folder"
}
