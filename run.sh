#!/bin/bash
# Builds the tool and runs it under Wine, on the demo game folder or on a
# real one. On a machine without a display, or with --web, it serves the
# tool to a web browser, to whoever has the password it prints. Installs
# what is missing first, so it works on a fresh Debian machine. The README
# lists its exit statuses.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
source scripts/web-access.sh
source scripts/game-desktop.sh
source scripts/server-history.sh

usage() {
    cat <<'USAGE'
Usage: ./run.sh [--game DIR] [--web] [--port N] [--listen ADDRESS]
                [--password-file FILE] [--cert FILE [--key FILE]]
  --game DIR            run on the game folder DIR, which holds QYR.exe (default: a demo copy)
  --servers FILE        open the server set FILE at start-up and bring its running servers back;
                        print each line of the servers' history as the tool adds it to its log
  --web                 serve the tool to a web browser (the default without DISPLAY)
  --port N              web port (default 6080)
  --listen ADDRESS      web address (default 127.0.0.1); any other than loopback
                        needs --password-file
  --password-file FILE  the VNC password, the first 8 characters of the first line
                        of FILE, instead of one made for this run
  --cert FILE           serve the page over https with this TLS certificate (PEM)
  --key FILE            its private key, if not in the certificate's file
USAGE
}

# Before anything starts.
refuse() {
    echo "run.sh: $1" >&2
    exit 2
}

game= servers= web= port=6080 listen=127.0.0.1 password_file= cert= key=
while [ $# -gt 0 ]; do
    case $1 in
        --game) game=${2:-}; shift ;;
        --servers) servers=${2:-}; shift ;;
        --web) web=1 ;;
        --port) port=${2:-}; web=1; shift ;;
        --listen) listen=${2:-}; web=1; shift ;;
        --password-file) password_file=${2:-}; web=1; shift ;;
        --cert) cert=${2:-}; web=1; shift ;;
        --key) key=${2:-}; web=1; shift ;;
        -h | --help) usage; exit 0 ;;
        *) usage >&2; refuse "unknown option: $1" ;;
    esac
    shift
done
[ -n "${DISPLAY:-}" ] || web=1

if [ -n "$game" ]; then
    [ -d "$game" ] || refuse "no such game folder: $game"
    game=$(cd "$game" && pwd)
    [ -n "$(find "$game" -maxdepth 1 -iname "$game_desktop_server")" ] ||
        refuse "$game holds no $game_desktop_server: give the folder of the game's server program"
    [ -d "$game/../Data/LevelScripts" ] || echo "Warning: no ../Data/LevelScripts beside $game: the map lists will be empty." >&2
fi
if [ -n "$servers" ]; then
    [ -f "$servers" ] ||
        refuse "no such server set: $servers (make one with \"Save Server Set As...\" in the tool's system menu)"
    servers=$(realpath "$servers")
fi
[[ $port =~ ^[0-9]+$ ]] && [ "$port" -ge 1 ] && [ "$port" -le 65535 ] || refuse "--port needs a number from 1 to 65535"
password=
if [ -n "$password_file" ]; then
    [ -r "$password_file" ] || refuse "the password file $password_file cannot be read"
    password=$(web_access_password_from "$password_file") ||
        refuse "the first line of $password_file holds no password (or begins with # or holds __)"
fi
[ -z "$key" ] || [ -n "$cert" ] || refuse "--key needs --cert"
if [ -n "$cert" ]; then
    web_access_tls_usable "$cert" "$key" ||
        refuse "TLS cannot use $cert${key:+ with $key}: no readable certificate and matching private key"
fi
case $listen in
    127.* | localhost | ::1) ;;
    *) [ -n "$password_file" ] || refuse "--listen $listen reaches beyond this machine: it needs --password-file FILE" ;;
esac
if [ -n "$web" ] && web_access_port_in_use "$listen" "$port"; then
    refuse "Port $port is already in use; choose another with --port."
fi

# A failed step ends with 1, whatever status it ended with, so that 2 stays a refusal.
scripts/install-deps.sh run || exit 1
# The tool and the stand-in alone, apart from the tests' build.
tool_build=$root/build/run

source scripts/wine-session.sh
stop() {
    if [ -n "$game_desktop_pid" ] && kill -0 "$game_desktop_pid" 2>/dev/null; then
        # A hang-up may have taken the terminal: the message must not stop the rest.
        echo "Ending: the tool closes; its game servers are asked to close and given" \
             "$game_desktop_grace_seconds seconds." || true
    fi
    game_desktop_stop
    server_history_stop
    web_access_stop
    wine_session_stop
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
[ -z "$servers" ] || server_history_follow "$servers"

[ -z "$web" ] || wine_session_start_display "${game_desktop_size}x24"
# Wine boots while the page's server starts and the tool builds.
wine_session_start_wine &
booting=$!
if [ -n "$web" ]; then
    web_access_start "$listen" "$port" "$password" "$cert" "$key"
else
    echo "The tool opens on $DISPLAY."
fi
scripts/build.sh run "$tool_build" || exit 1
wait "$booting" || exit 1

if [ -z "$game" ]; then
    # A fresh copy of the demo each time, so its rotation files and the
    # stand-in's log stay out of the repository.
    rm -rf build/demo
    cp -r demo build/demo
    cp "$tool_build/bin/$game_desktop_server" build/demo/Bin/
    game=$root/build/demo/Bin
fi
# The tool takes the set by its Windows path.
tool_arguments=()
[ -z "$servers" ] || tool_arguments=("$(timeout 60 /usr/lib/wine/wine64 winepath -w "$servers" 2>/dev/null)")
game_desktop_start "$game" "$tool_build/bin" "${tool_arguments[@]}"

echo "QYR SAT runs on the game folder $game."
echo "Closing its window ends this script once no game server it started is left running."
echo "Ctrl-C ends the tool and stops its game servers: each is asked to close, and ended after" \
     "$game_desktop_grace_seconds seconds."
[ -z "$servers" ] || echo "The server set $servers keeps them marked running, so the next run brings them back."
if [ -n "$web" ]; then
    shown=$listen
    [ "$shown" != 0.0.0.0 ] || shown=$(hostname)
    echo "Open $(web_access_address "$shown")"
fi
game_desktop_wait
