#!/bin/bash
# The headless way in, end to end, tried from the outside. ./run.sh on a
# machine without a display serves the tool on a game folder and prints an
# address that carries a password made for the run; Debian's Chromium opens
# it, finds the desktop scaled to its window and presses "New" and "Start"
# by clicks on the page; the folder's stand-in server then logs exactly one
# launch, with the default command line. Without the password, or with one
# that differs in its 8th character, the page is refused; another user
# cannot open the run's X display; every socket of the run listens on
# loopback only; an open address without a password file, an unusable
# password file or certificate, and a port in use are refused; Ctrl-C
# leaves no process of the run behind, its server asked to close. A second
# run serves https with a certificate made here and the password of a file.
# Usage: browser_test.sh [SCREENSHOT.png], which keeps a picture of the page
# with the server started.
set -euo pipefail
screenshot=${1:+$(realpath "$1")}
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

default_command_line=' +server qyr +port 27015 +map TeamDeathMatch\Arena +maxplayers 16 +matchtime 30 +freezetime 4 +roundtime 5 +rankpoints 700 +damagemultiplier 1.500000 +jumpslowdown 0.500000 +friendlyfire +dedicated +specall +allowshadows +minimize +pure +hash +anticheat'

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Each run carries a mark in its environment, which every process it
# starts, Wine's included, inherits.
mark=qyrsat-browser-test-$$
marked() {
    grep -lzx "QYRSAT_TEST_RUN=$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true
}
# run.sh as on a machine without a display.
run_headless() {
    env -u DISPLAY QYRSAT_TEST_RUN="$1" ./run.sh "${@:2}"
}

game=$(mktemp -d "$root/build/browser-test.XXXXXX")
run=
finish() {
    local pid
    [ -z "$run" ] || kill -INT -- "-$run" 2>/dev/null || true
    sleep 1
    for pid in $(marked "$mark"); do kill "$pid" 2>/dev/null || true; done
    rm -rf "$game"
}
trap finish EXIT

# start_run LOG OPTION...: run.sh on the game folder, as a job of its own
# as at a terminal (its own process group, which Ctrl-C reaches as a whole,
# and SIGINT not ignored as in a script's background); sets url to the
# address it prints.
start_run() {
    local log=$1
    shift
    set -m
    env -u DISPLAY QYRSAT_TEST_RUN="$mark" ./run.sh --game "$game/Bin" --port "$port" "$@" </dev/null >"$log" 2>&1 &
    run=$!
    set +m
    for _ in $(seq 240); do
        grep -q '^Open ' "$log" && break
        kill -0 "$run" 2>/dev/null || { cat "$log"; fail "run.sh ended"; }
        sleep 0.5
    done
    url=$(sed -n 's/^Open //p' "$log")
}

# Ctrl-C, and no process of the run is left.
stop_run() {
    kill -INT -- "-$run"
    for _ in $(seq 120); do
        kill -0 "$run" 2>/dev/null || break
        sleep 0.5
    done
    kill -0 "$run" 2>/dev/null && fail "run.sh still runs after Ctrl-C"
    wait "$run" || true
    run=
    for _ in $(seq 20); do
        [ -z "$(marked "$mark")" ] && break
        sleep 0.5
    done
    [ -z "$(marked "$mark")" ] || fail "left behind: $(marked "$mark" | xargs ps -o pid=,args= -p)"
}

# The outcome of the page at each address, one line each.
page_outcomes() {
    timeout 120 node tests/web/page_outcome.js "$@" || fail "the browser could not open $*"
}

echo "-- refused, with a reason and exit status 2, and nothing started"
: >"$game/empty"
while read -r reason options; do
    status=0
    run_headless "$mark" $options >"$game/refused.log" 2>&1 || status=$?
    [ $status -eq 2 ] || fail "$options: exit status $status, not 2"
    grep -q -- "$reason" "$game/refused.log" || fail "$options: the refusal does not say '$reason'"
    [ -z "$(marked "$mark")" ] || fail "$options: the refused run left processes"
done <<REFUSED
--password-file --listen 0.0.0.0
password --password-file $game/empty
certificate --cert $game/empty
--cert --key $game/empty
REFUSED

echo "-- ./run.sh without a display prints the address with a password"
cp -r demo/. "$game"
cp build/bin/QYR.exe "$game/Bin/"
port=6180
while [ -n "$(ss -Hltn "sport = :$port")" ]; do port=$((port + 1)); done
start_run "$game/run.log"
[[ $url =~ ^http://127\.0\.0\.1:$port/vnc\.html\?autoconnect=true\&resize=scale\&password=[A-Za-z0-9_-]{8}$ ]] ||
    { cat "$game/run.log"; fail "address '$url'"; }
base=${url%&password=*} password=${url##*=}

echo "-- every listening socket of the run is on loopback"
listening=0
while read -r local_address pid; do
    grep -qx "$pid" <<<"$(marked "$mark")" || continue
    listening=$((listening + 1))
    [[ $local_address == 127.0.0.1:* ]] || fail "pid $pid listens on $local_address"
done < <(ss -Hltunp | sed -n 's/^\S\+\s\+\S\+\s\+\S\+\s\+\S\+\s\+\(\S\+\)\s.*pid=\([0-9]\+\).*/\1 \2/p')
[ $listening -ge 1 ] || fail "no listening socket of the run found"

echo "-- another user can open the run's X display neither with nor without its cookie file"
display= cookie=
for pid in $(marked "$mark"); do
    environment=$(tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ") || continue
    display=$(sed -n 's/^DISPLAY=//p' <<<"$environment")
    cookie=$(sed -n 's/^XAUTHORITY=//p' <<<"$environment")
    [ -z "$display" ] || break
done
desktop=$(XAUTHORITY=$cookie xdpyinfo -display "$display" | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) .*/\1/p') || true
[ -n "$desktop" ] || fail "the run's display $display does not open for its own user"
for environment in "XAUTHORITY=$cookie" "XAUTHORITY=/nonexistent"; do
    ! runuser -u nobody -- env "$environment" xdpyinfo -display "$display" >/dev/null 2>&1 ||
        fail "user nobody opened the display $display with $environment"
done

echo "-- the page asks for the password, and refuses one that differs in its last character"
other=A
[ "${password:7}" != A ] || other=B
outcomes=$(page_outcomes "$base" "$base&password=${password:0:7}$other")
[ "$outcomes" = $'asks for a password\nrefused' ] || fail "without the password, and with a wrong one: $outcomes"

echo "-- a second run on the same port is refused"
status=0
run_headless "$mark.second" --game "$game/Bin" --port "$port" >"$game/second.log" 2>&1 || status=$?
[ $status -eq 2 ] || fail "exit status $status, not 2"
grep -q "port $port is already in use" "$game/second.log" || { cat "$game/second.log"; fail "no clear message"; }
[ -z "$(marked "$mark.second")" ] || fail "the refused run left processes"

echo "-- Chromium opens the address, scaled to its window, and presses New and Start"
timeout 90 node tests/web/press_new_start.js "$url" "$desktop" $screenshot || fail "the browser could not press New and Start"
starts=
for _ in $(seq 60); do
    starts=$(grep -a '^start ' "$game/Bin/qyr_standin.log" 2>/dev/null | tr -d '\r') && break
    sleep 0.5
done
[ "$(wc -l <<<"$starts")" -eq 1 ] || fail "launches: '$starts'"
[ "${starts#* cmdline=}" = "$default_command_line" ] || fail "command line '${starts#* cmdline=}'"
server=$(sed 's/^start pid=\([0-9]*\).*/\1/' <<<"$starts")

echo "-- Ctrl-C asks the server to close and leaves no process of the run"
[ -n "$(marked "$mark")" ] || fail "no process of the run found before Ctrl-C"
stop_run
[ "$(grep -ac '^start ' "$game/Bin/qyr_standin.log")" -eq 1 ] || fail "more than one launch"
grep -aq "^close pid=$server " "$game/Bin/qyr_standin.log" || fail "the server was not asked to close: $(cat "$game/Bin/qyr_standin.log")"

echo "-- with --cert, --key and --password-file: the page comes over https and takes the file's password"
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
        -keyout "$game/key.pem" -out "$game/cert.pem" 2>/dev/null
echo "tls-word" >"$game/password"
start_run "$game/tls.log" --cert "$game/cert.pem" --key "$game/key.pem" --password-file "$game/password"
[ "$url" = "https://127.0.0.1:$port/vnc.html?autoconnect=true&resize=scale" ] || { cat "$game/tls.log"; fail "address '$url'"; }
outcomes=$(page_outcomes "$url" "$url&password=tls-word")
[ "$outcomes" = $'asks for a password\nconnected' ] || fail "over https without the password, and with it: $outcomes"
stop_run
